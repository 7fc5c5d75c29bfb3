#include "Language.h"

#include "core/IniFile.h"

namespace {

struct Key {
    const char* name;
    QString TLanguage::*field;
    const char* builtIn;
};

const Key kKeys[] = {
    {"Confirmation", &TLanguage::Confirmation, "提示"},
    {"ExitProgram", &TLanguage::ExitProgram, "确定要退出系统？"},
    {"SaveProgram", &TLanguage::SaveProgram, "是否保存数据？"},
    {"Channel", &TLanguage::Channel, "信道"},
    {"Info", &TLanguage::Info, "信息"},
    {"OutRange", &TLanguage::OutRange, "频率超出范围！"},
    {"Caution", &TLanguage::Caution, "注意"},
    {"FChBigT", &TLanguage::FChBigT, "起始频道应小于结束频道！"},
    {"Close", &TLanguage::Close, "已关闭"},
    {"Open", &TLanguage::Open, "已启动"},
    {"ComError", &TLanguage::ComError, "检查所有连接及通信端口设置！"},
    {"ModError", &TLanguage::ModError, "机型错误！"},
    {"ClearData", &TLanguage::ClearData, "是否清空数据？"},
    {"Modforce", &TLanguage::Modforce, "是否强制改写？"},
    {"FrqError", &TLanguage::FrqError, "频段错误！"},
    {"All", &TLanguage::All, "全部"},
    {"ErrRange", &TLanguage::ErrRange, "频率出错！"},
    {"ModelType", &TLanguage::ModelType, "机型"},
    {"Frequency", &TLanguage::Frequency, "频率"},
    {"ReadOk", &TLanguage::ReadOk, "读取完成！"},
    {"WriteOk", &TLanguage::WriteOk, "写入完成！"},
    {"LPortError", &TLanguage::LPortError, "无法打开端口！"},
    {"FileNotRegular", &TLanguage::FileNotRegular, "这不是普通文件，无法打开！"},
    {"FileTooLarge", &TLanguage::FileTooLarge, "文件太大，不是本程序的数据文件！"},
    {"FileTooShort", &TLanguage::FileTooShort, "文件不完整：只有 %1 字节，应有 %2 字节！"},
    {"FileUnknownModel", &TLanguage::FileUnknownModel, "文件的机型“%1”不在机型列表中！"},
    {"FileUndecodable", &TLanguage::FileUndecodable, "文件偏移 %1 处的数据无法识别！"},
    {"FileReadError", &TLanguage::FileReadError, "无法读取文件：%1"},
    {"FileSaveError", &TLanguage::FileSaveError, "无法保存文件：%1"},
};

const QString kSection = QStringLiteral("Language");

} // namespace

QString MessageWith(const QString& text, const QString& first, const QString& second) {
    QString out = text;
    const bool hasFirst = out.contains(QLatin1String("%1"));
    const bool hasSecond = out.contains(QLatin1String("%2"));
    // One pass, so that a value holding "%2" is not replaced in turn.
    QString result;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out.at(i) == QLatin1Char('%') && i + 1 < out.size() &&
            (out.at(i + 1) == QLatin1Char('1') || out.at(i + 1) == QLatin1Char('2'))) {
            result += out.at(i + 1) == QLatin1Char('1') ? first : second;
            ++i;
        } else {
            result += out.at(i);
        }
    }
    if (!hasFirst && !first.isEmpty())
        result += QLatin1Char(' ') + first;
    if (!hasSecond && !second.isEmpty())
        result += QLatin1Char(' ') + second;
    return result;
}

QString BuiltInAppTitle() {
    return QStringLiteral("N47");
}

QString LanguageFilePath(const QString& programDir, const QString& languageName) {
    return programDir + languageName + QStringLiteral(".Ini");
}

void LoadMessageCatalogue(TLanguage& messages, QString& appTitle, const QString& programDir,
                          const QString& languageName) {
    IniFile ini;
    ini.Load(LanguageFilePath(programDir, languageName));
    LoadMessageCatalogue(messages, appTitle, ini);
}

void LoadMessageCatalogue(TLanguage& messages, QString& appTitle, const IniFile& ini) {
    appTitle = ini.Value(kSection, QStringLiteral("AppName"), BuiltInAppTitle());
    for (const Key& k : kKeys)
        messages.*(k.field) = ini.Value(kSection, QString::fromLatin1(k.name), QString::fromUtf8(k.builtIn));
}
