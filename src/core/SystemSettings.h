#pragma once

#include <QString>

// What SysInfo.Ini holds for the program. Only this module reads or writes that file.
struct SystemSettings {
    QString PortName = QStringLiteral("Com1");
    int LanguageIndex = 0;
    QString HelpPrefix = QStringLiteral("KX");
    int PicIndex = 1;
    QString LanguageName = QStringLiteral("Chinese");
    QString LanguageList = QStringLiteral("Chinese|English");
};

// Where SysInfo.Ini is read from: where it is written, when that file exists; otherwise the
// program directory's copy (the defaults a new user copy starts from).
QString SystemSettingsReadPath(const QString& programDir);
// Where it is written: the program directory when it may be written, else the user's configuration
// directory.
QString SystemSettingsWritePath(const QString& programDir);

class IniFile;

// Missing file, missing keys and non-numbers take the defaults; nothing is reported.
SystemSettings LoadSystemSettings(const QString& programDir);
SystemSettings SystemSettingsFromIni(const IniFile& ini);
// The three keys written back at shutdown, set in ini.
void StoreSystemSettings(IniFile& ini, const SystemSettings& settings);
// Writes "Com", "DefaultLanguage" and "PicID" (PicIndex - 1); everything else in the file stays.
bool SaveSystemSettings(const QString& programDir, const SystemSettings& settings, QString* error = nullptr);

// The display names of the languages as written in `languageName`: the key of that name, "中文|英文"
// when it is missing.
QString LanguageDisplayList(const QString& programDir, const QString& languageName);

// Item `index` (from 0) of a "|"-separated list; past the end or negative gives the empty text.
QString LanguageListItem(const QString& list, int index);

// The user's directory for SysInfo.Ini when the program directory is read-only.
QString UserConfigDir();
