#pragma once

#include "FileIo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A small INI reader/writer. Section and key names match regardless of letter case; changing one
// key keeps every other line of the file (comments, order, unknown sections) byte for byte as it
// was, whatever its encoding. Each line is read as UTF-8, or as GB18030 when it is not valid UTF-8;
// the lines the program writes are in GB18030 when the file is, otherwise in UTF-8.
class IniFile {
public:
    // False when the file is missing, unreadable, not a regular file or larger than
    // kMaxFileSize; the object is then empty and `result` says why.
    bool Load(const QString& path, FileResult* result = nullptr);
    void LoadBytes(const QByteArray& bytes);
    void LoadText(const QString& text);

    QString Value(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    bool Contains(const QString& section, const QString& key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);
    QStringList Keys(const QString& section) const;
    QStringList Sections() const;

    QString Text() const;
    // The file's bytes: unchanged lines as they were read, changed and new lines encoded.
    QByteArray Bytes() const;
    // Written to a temporary file beside the target and renamed over it.
    bool Save(const QString& path, QString* error = nullptr) const;

    // Lines longer than this are ignored: nothing legitimate in these files comes close.
    static constexpr int kMaxLineLength = 64 * 1024;
    // Settings and language files are a few kilobytes; anything far larger is not one.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

private:
    int FindSection(const QString& section) const;
    int FindKey(int sectionLine, const QString& key) const;
    int SectionEnd(int sectionLine) const;

    void SetLine(int index, const QString& text);
    void InsertLine(int index, const QString& text);

    QStringList Lines;
    // The bytes each line was read from, terminator included; null for a line the program wrote.
    QList<QByteArray> Raw;
    QByteArray Bom;
    QByteArray LineEnd = "\n";
    bool Gb18030 = false;
};
