#pragma once

#include <QString>

class IniFile;

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
    // Why a file did not open or save; %1 and %2 stand for the values named beside each.
    QString FileNotRegular;
    QString FileTooLarge;
    QString FileTooShort;     // %1 bytes held, %2 bytes needed
    QString FileUnknownModel; // %1 the model the file names
    QString FileUndecodable;  // %1 the file offset
    QString FileReadError;    // %1 the system's reason
    QString FileSaveError;    // %1 the system's reason
};

// text with %1 and %2 replaced by the values; a translation that left a placeholder out still
// shows its value, after the text.
QString MessageWith(const QString& text, const QString& first, const QString& second = QString());

// The built-in title when no language file gives "AppName".
QString BuiltInAppTitle();

// The language file of a language: programDir + languageName + ".Ini".
QString LanguageFilePath(const QString& programDir, const QString& languageName);

// Reads every key of section "Language" every time, each with its built-in Chinese text as the
// default, so that switching back to a language without a file restores every built-in text.
// "AppName" goes to appTitle. A missing or unreadable file gives the built-in texts.
void LoadMessageCatalogue(TLanguage& messages, QString& appTitle, const QString& programDir,
                          const QString& languageName);
// The same from a language file already read.
void LoadMessageCatalogue(TLanguage& messages, QString& appTitle, const IniFile& ini);
