#include "FormTexts.h"

#include "AppState.h"
#include "lang/Language.h"

#include <QHash>

namespace {

const QString kMainWindow = QStringLiteral("fMainFrm");

QStringList Numbers(int from, int to) {
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QString::number(i);
    return list;
}

} // namespace

FormTexts::FormTexts(const TALL& state) {
    if (state.LanguageIndex > 0)
        Translated = Language.Load(LanguageFilePath(state.ProgramDir, state.LanguageName));
}

QString FormTexts::Text(const QString& form, const QString& key, const QString& builtIn) const {
    return Translated ? Language.Value(form, key, builtIn) : builtIn;
}

QStringList FormTexts::Items(const QString& form, const QString& list, const QStringList& builtIn,
                             int marker) const {
    if (marker == -2)
        return builtIn;
    QStringList items = builtIn;
    const int count = marker == -3 ? qMin(1, int(items.size())) : int(items.size());
    for (int i = 0; i < count; ++i)
        items[i] = Text(form, list + QLatin1Char('.') + QString::number(i), items[i]);
    return items;
}

ChannelVocabulary FormTexts::Vocabulary() const {
    const ChannelVocabulary b = ChannelVocabulary::BuiltIn();
    ChannelVocabulary v;
    v.NoneText = Text(kMainWindow, QStringLiteral("cbQT.0"), b.NoneText);
    v.PowerItems = Items(kMainWindow, QStringLiteral("cbfsgl"), b.PowerItems);
    v.BandwidthItems = Items(kMainWindow, QStringLiteral("cbkz"), b.BandwidthItems);
    v.ScanAddItems = Items(kMainWindow, QStringLiteral("cbHave"), b.ScanAddItems);
    v.OptSignalItems = Items(kMainWindow, QStringLiteral("cbkxxl"), b.OptSignalItems);
    v.PttIdItems = Items(kMainWindow, QStringLiteral("cbPTT"), b.PttIdItems);
    v.BusyLockItems = Items(kMainWindow, QStringLiteral("cbfmsd"), b.BusyLockItems);
    return v;
}

const QList<SettingList>& FunctionReportLists() {
    const QString off = QStringLiteral("关"), on = QStringLiteral("开");
    const QString none = QStringLiteral("无"), have = QStringLiteral("有");
    const QString closed = QStringLiteral("关闭");
    const auto list = [](const char* name, const QString& caption, const QStringList& items, int marker = 0) {
        const QString n = QLatin1String(name);
        return SettingList{n, QStringLiteral("lb") + n.mid(2), caption, items, marker};
    };
    static const QList<SettingList> lists = {
        list("cbtsy", QStringLiteral("按键提示音"), {off, on}),
        list("cbOpentsy", QStringLiteral("开机提示音"), {off, on}),
        list("cbdcsd", QStringLiteral("电池省电"), {none, have}),
        list("cbsksz", QStringLiteral("声控设置"), QStringList{closed} + Numbers(1, 9), -3),
        list("cbvoxyc", QStringLiteral("VOX延迟"),
             {QStringLiteral("0.3"), QStringLiteral("0.5"), QStringLiteral("1.0"), QStringLiteral("1.5"),
              QStringLiteral("2.0"), QStringLiteral("3.0")},
             -2),
        list("cbglgd", QStringLiteral("功率高低"), {QStringLiteral("低"), QStringLiteral("高")}),
        list("cbjzjb", QStringLiteral("静噪级别"), Numbers(0, 9), -2),
        list("cbled", QStringLiteral("LED开关"), {QStringLiteral("自动"), on, off}),
        list("cbcled", QStringLiteral("LED颜色"),
             {QStringLiteral("蓝色"), QStringLiteral("橙色"), QStringLiteral("紫色")}),
        list("cbsmfs", QStringLiteral("扫描方式"),
             {QStringLiteral("超时扫描"), QStringLiteral("载波扫描"), QStringLiteral("搜索扫描")}),
        list("cbjps", QStringLiteral("键盘锁"), {QStringLiteral("手动"), QStringLiteral("自动")}),
        list("cbfscs", QStringLiteral("发射超时(秒)"),
             QStringList{closed} +
                 QStringList{QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90"),
                             QStringLiteral("120"), QStringLiteral("150"), QStringLiteral("180"),
                             QStringLiteral("210"), QStringLiteral("240"), QStringLiteral("270")},
             -3),
        list("cbwn", QStringLiteral("宽窄带控制"), {QStringLiteral("窄"), QStringLiteral("宽")}),
        list("cbpjts", QStringLiteral("预警提示"), {none, have}),
    };
    return lists;
}

const SettingList& FunctionReportList(const QString& name) {
    for (const SettingList& l : FunctionReportLists())
        if (l.Name == name)
            return l;
    Q_ASSERT_X(false, "FunctionReportList", "no such list");
    return FunctionReportLists().first();
}

QString FunctionSettingsTitle() {
    return QStringLiteral("功能设置");
}

const SettingList& VfoStepList() {
    static const SettingList list{QStringLiteral("cbbjpl"),
                                  QStringLiteral("Label2"),
                                  QStringLiteral("步进频率"),
                                  {QStringLiteral("5K"), QStringLiteral("6.25K"), QStringLiteral("10K"),
                                   QStringLiteral("12.5K"), QStringLiteral("25K")},
                                  0};
    return list;
}

const SettingList& VfoOffsetDirectionList() {
    static const SettingList list{
        QStringLiteral("cbwcfx"),
        QStringLiteral("Label6"),
        QStringLiteral("位差方向"),
        {QStringLiteral("同频"), QStringLiteral("+(高于接收)"), QStringLiteral("-(低于接收)")},
        0};
    return list;
}

QStringList BuiltInGridTitles() {
    return {QStringLiteral("信道编号"), QStringLiteral("接收频率"), QStringLiteral("发射频率"),
            QStringLiteral("接收信令"), QStringLiteral("发射信令"), QStringLiteral("发射功率"),
            QStringLiteral("宽/窄"),    QStringLiteral("扫描添加"), QStringLiteral("可选信令"),
            QStringLiteral("PTTID"),    QStringLiteral("繁忙锁定")};
}

QString MainWindowCaption(const char* name) {
    static const QHash<QString, QString> captions = {
        {QStringLiteral("lMode"), QStringLiteral("机型：")},
        {QStringLiteral("lFrq"), QStringLiteral("频率：")},
        {QStringLiteral("Label9"), QStringLiteral("全频模式设置")},
        {QStringLiteral("Label1"), QStringLiteral("接收频率(MHz)")},
        {QStringLiteral("Label2"), VfoStepList().Caption},
        {QStringLiteral("Label3"), QStringLiteral("接收亚音频")},
        {QStringLiteral("Label5"), QStringLiteral("发射亚音频")},
        {QStringLiteral("Label6"), VfoOffsetDirectionList().Caption},
        {QStringLiteral("Label7"), QStringLiteral("位差频率(MHz)")},
        {QStringLiteral("Label8"), QStringLiteral("信道频率设置")},
    };
    return captions.value(QLatin1String(name));
}
