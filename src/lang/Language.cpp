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
};

const QString kSection = QStringLiteral("Language");

} // namespace

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
    appTitle = ini.Value(kSection, QStringLiteral("AppName"), BuiltInAppTitle());
    for (const Key& k : kKeys)
        messages.*(k.field) = ini.Value(kSection, QString::fromLatin1(k.name), QString::fromUtf8(k.builtIn));
}
