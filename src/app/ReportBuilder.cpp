#include "ReportBuilder.h"

#include "FormTexts.h"
#include "Maindb.h"
#include "core/ToneLists.h"
#include "core/Values.h"

#include <QHash>

#include <algorithm>

namespace {

const QString kMainWindow = QStringLiteral("fMainFrm");
const QString kFunctionSettings = QStringLiteral("fFunSet");

// The largest repeater offset the radio stores.
constexpr double kMaxVfoOffset = 69.995;
// A channel's title line and its five value lines stay on one page.
constexpr int kLinesPerChannel = 6;

// The entry the function settings dialog shows for a setting of the report.
int FunctionIndex(const TFun& f, const QString& list) {
    const QHash<QString, int> index = {
        {QStringLiteral("cbtsy"), f.KeyBeep},       {QStringLiteral("cbOpentsy"), f.PowerOnTone},
        {QStringLiteral("cbdcsd"), f.BatterySave},  {QStringLiteral("cbsksz"), f.VoxLevel},
        {QStringLiteral("cbvoxyc"), f.VoxDelay},    {QStringLiteral("cbglgd"), f.PowerLevel},
        {QStringLiteral("cbjzjb"), f.SquelchLevel}, {QStringLiteral("cbled"), f.LedMode},
        {QStringLiteral("cbcled"), f.LedColor},     {QStringLiteral("cbsmfs"), f.ScanMode},
        {QStringLiteral("cbjps"), f.KeyLockMode},   {QStringLiteral("cbfscs"), f.TxTimeout},
        {QStringLiteral("cbwn"), f.WideNarrow},     {QStringLiteral("cbpjts"), f.WarningPrompt},
    };
    return index.value(list, -1);
}

QString Entry(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

} // namespace

void BuildSettingsReport(TfMaindb& db) {
    const FormTexts texts(db.AppState);
    const TALL& state = db.AppState;
    const TFun& f = db.FunctionSettings;
    const auto caption = [&](const QString& form, const QString& name, const QString& builtIn) {
        return texts.Text(form, name + QStringLiteral(".Caption"), builtIn);
    };
    const auto mainCaption = [&](const char* name) {
        return caption(kMainWindow, QLatin1String(name), MainWindowCaption(name));
    };

    db.myMain.clear();
    db.myAdo.clear();
    TMainRecord header;
    header.Title = state.AppTitle;
    header.AField = mainCaption("lMode");
    header.AValue = state.ModelName;
    header.CField = mainCaption("lFrq");
    header.CValue = state.BandName;
    db.myMain.append(header);

    const QString functions = caption(kFunctionSettings, kFunctionSettings, FunctionSettingsTitle());
    for (const SettingList& list : FunctionReportLists()) {
        const QStringList items = texts.Items(kFunctionSettings, list.Name, list.Items, list.Marker);
        db.myAdo.append({TAdoRecord::FunctionSettings, functions,
                         caption(kFunctionSettings, list.CaptionName, list.Caption),
                         Entry(items, FunctionIndex(f, list.Name)), QString(), QString(), 1});
    }

    // The frequency mode as the main window holds it: a reset or far-off receive frequency is the
    // band's edge, and a simplex offset is none.
    const QString vfo = mainCaption("Label9");
    const auto vfoLine = [&](const char* label, const QString& value) {
        db.myAdo.append({TAdoRecord::FrequencyMode, vfo, mainCaption(label), value, QString(), QString(), 1});
    };
    double rx = f.VfoRxFreq;
    if (FrequencyUnits(rx) == 0 || FrequencyUnits(rx) < FrequencyUnits(state.BandLow - kChannelBandMargin))
        rx = state.BandLow;
    else if (FrequencyUnits(rx) > FrequencyUnits(state.BandHigh + kChannelBandMargin))
        rx = state.BandHigh;
    const SettingList& step = VfoStepList();
    const SettingList& direction = VfoOffsetDirectionList();
    const QStringList directions =
        texts.Items(kMainWindow, direction.Name, direction.Items, direction.Marker);
    const auto tone = [&](const QString& value, const char* list) {
        return value.isEmpty()
                   ? texts.Text(kMainWindow, QLatin1String(list) + QStringLiteral(".0"), LongToneList().at(0))
                   : value;
    };
    vfoLine("Label1", FormatFrequency(rx));
    vfoLine("Label2", Entry(texts.Items(kMainWindow, step.Name, step.Items, step.Marker), f.VfoStep));
    vfoLine("Label3", tone(f.VfoRxTone, "cbjsyyp"));
    vfoLine("Label5", tone(f.VfoTxTone, "cbfsyyp"));
    vfoLine("Label6", Entry(directions, f.OffsetDirection));
    vfoLine("Label7",
            FormatFrequency(f.OffsetDirection == 0 ? 0.0 : std::clamp(f.VfoOffset, 0.0, kMaxVfoOffset)));

    const QString channels = mainCaption("Label8");
    const QStringList titles = texts.Items(kMainWindow, QStringLiteral("BColText"), BuiltInGridTitles());
    const auto line = [&](const QString& aField, const QString& aValue, const QString& bField = QString(),
                          const QString& bValue = QString()) {
        db.myAdo.append({TAdoRecord::Channels, channels, aField, aValue, bField, bValue, 1});
    };
    const auto title = [&](int column) { return titles.value(column - 1); };
    line(QString(), QString());
    const ChannelTable& table = db.MainTable;
    for (int k = 1; k <= table.RowCount(); ++k) {
        if (!table.IsChannelInUse(k))
            continue;
        line(title(ChannelTable::ChannelNo) + QString::number(k), QString());
        db.myAdo.last().KeepTogether = kLinesPerChannel;
        for (int c = ChannelTable::RxFrequency; c < ChannelTable::BusyLock; c += 2)
            line(title(c), table.Text(k, c), title(c + 1), table.Text(k, c + 1));
    }
}
