#pragma once

#include <QString>

// The message texts of the current language, one field per language-file key.
class TLanguage {
public:
    QString Confirmation;
    QString ExitProgram;
    QString SaveProgram;
    QString Channel;
    QString Info;
    QString OutRange;
    QString Caution;
    QString FChBigT;
    QString Close;
    QString Open;
    QString ComError;
    QString ModError;
    QString ClearData;
    QString Modforce;
    QString FrqError;
    QString All;
    QString ErrRange;
    QString ModelType;
    QString Frequency;
    QString ReadOk;
    QString WriteOk;
    QString LPortError;
};

// The built-in title when no language file gives "AppName".
QString BuiltInAppTitle();

// The language file of a language: programDir + languageName + ".Ini".
QString LanguageFilePath(const QString& programDir, const QString& languageName);

// Reads all 23 keys of section "Language" every time, each with its built-in Chinese text as the
// default, so that switching back to a language without a file restores every built-in text.
// "AppName" goes to appTitle. A missing or unreadable file gives the built-in texts.
void LoadMessageCatalogue(TLanguage& messages, QString& appTitle, const QString& programDir,
                          const QString& languageName);
