#pragma once

#include <QString>
#include <QStringList>

// A small INI reader/writer. Section and key names match regardless of letter case; changing one
// key keeps every other line of the file (comments, order, unknown sections) as it was.
// Files are read as UTF-8, or as GB18030 when they are not valid UTF-8; they are written as UTF-8.
class IniFile {
public:
    // False when the file is missing or unreadable; the object is then empty.
    bool Load(const QString& path);
    void LoadText(const QString& text);

    QString Value(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    bool Contains(const QString& section, const QString& key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);
    QStringList Keys(const QString& section) const;
    QStringList Sections() const;

    QString Text() const;
    // Written to a temporary file beside the target and renamed over it.
    bool Save(const QString& path, QString* error = nullptr) const;

    // Lines longer than this are ignored: nothing legitimate in these files comes close.
    static constexpr int kMaxLineLength = 64 * 1024;

private:
    int FindSection(const QString& section) const;
    int FindKey(int sectionLine, const QString& key) const;
    int SectionEnd(int sectionLine) const;

    QStringList Lines;
};

// UTF-8 when the bytes are valid UTF-8 (a leading BOM is dropped), otherwise GB18030.
QString DecodeIniBytes(const QByteArray& bytes);
