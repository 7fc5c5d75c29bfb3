#pragma once

#include "core/MacType.h"
#include "radiodata/Codeplug.h"

#include <QString>

// The model catalogue and band table the command-line tool works with.
struct CodeplugTables {
    CodeplugTables();
    TMacList Catalogue;
    TFrqList Bands;
};
const CodeplugTables& Tables();

struct CodeplugFile {
    Codeplug Plug;
    QString SavedText; // the date in a .dat header ("2026-12-09 15:24"); empty for JSON
};

// ".json" (any letter case) is the JSON form; every other name is a .dat file.
bool IsJsonPath(const QString& path);

enum class CodeplugFormat { ByExtension, Dat, Json };

// Reads a .dat file or the JSON form (by default by the file name's extension). A .dat file's
// frequency mode falls back to the lower edge of the file's own band. The error names the file.
// What is not a regular file, and a file larger than any such file can be, is refused unread.
bool ReadCodeplugFile(const QString& path, CodeplugFile& out, QString* error,
                      CodeplugFormat format = CodeplugFormat::ByExtension);

// Writes a .dat file, exactly as the program saves one (header date dateText, "yyyy-MM-dd HH:mm";
// header band edges from plug.BandId), or the JSON form ("saved": dateText), by the extension.
// The file is written under a temporary name and renamed only when every byte was written and
// synced; on failure the old file keeps its bytes, nothing is left behind and the error says why
// ("No space left on device"). Every command that writes a codeplug file goes through here.
bool WriteCodeplugFile(const QString& path, const Codeplug& plug, const QString& dateText, QString* error);

// True when text is a date in the form "yyyy-MM-dd HH:mm".
bool IsHeaderDate(const QString& text);
