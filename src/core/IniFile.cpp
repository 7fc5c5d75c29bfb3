#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

QString DecodeIniBytes(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        QString t = gb.decode(data);
        if (!gb.hasError())
            return t;
    }
    // Neither encoding fits (binary garbage): keep what UTF-8 could make of it.
    return text;
}

namespace {

bool IsSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool IsComment(const QString& t) {
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

bool SplitKey(const QString& line, QString& key, QString& value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || IsComment(t))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

} // namespace

bool IniFile::Load(const QString& path) {
    Lines.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    LoadText(DecodeIniBytes(f.readAll()));
    return true;
}

void IniFile::LoadText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Lines = t.split(QLatin1Char('\n'));
    if (!Lines.isEmpty() && Lines.last().isEmpty())
        Lines.removeLast();
}

int IniFile::FindSection(const QString& section) const {
    QString name;
    for (int i = 0; i < Lines.size(); ++i)
        if (Lines[i].size() <= kMaxLineLength && IsSectionLine(Lines[i], &name) &&
            name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::SectionEnd(int sectionLine) const {
    for (int i = sectionLine + 1; i < Lines.size(); ++i)
        if (Lines[i].size() <= kMaxLineLength && IsSectionLine(Lines[i]))
            return i;
    return static_cast<int>(Lines.size());
}

int IniFile::FindKey(int sectionLine, const QString& key) const {
    const int end = SectionEnd(sectionLine);
    QString k, v;
    for (int i = sectionLine + 1; i < end; ++i)
        if (Lines[i].size() <= kMaxLineLength && SplitKey(Lines[i], k, v) &&
            k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString IniFile::Value(const QString& section, const QString& key, const QString& defaultValue) const {
    const int s = FindSection(section);
    if (s < 0)
        return defaultValue;
    const int line = FindKey(s, key);
    if (line < 0)
        return defaultValue;
    QString k, v;
    SplitKey(Lines[line], k, v);
    return v;
}

bool IniFile::Contains(const QString& section, const QString& key) const {
    const int s = FindSection(section);
    return s >= 0 && FindKey(s, key) >= 0;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    int s = FindSection(section);
    if (s < 0) {
        if (!Lines.isEmpty() && !Lines.last().trimmed().isEmpty())
            Lines.append(QString());
        Lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        Lines.append(entry);
        return;
    }
    const int line = FindKey(s, key);
    if (line >= 0) {
        // Keep the key's own spelling as the file has it.
        const int eq = Lines[line].indexOf(QLatin1Char('='));
        Lines[line] = Lines[line].left(eq).trimmed() + QLatin1Char('=') + value;
        return;
    }
    // New key: after the section's last non-blank line, so blank separators stay where they were.
    int insertAt = SectionEnd(s);
    while (insertAt - 1 > s && Lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    Lines.insert(insertAt, entry);
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    const int s = FindSection(section);
    if (s < 0)
        return keys;
    const int end = SectionEnd(s);
    QString k, v;
    for (int i = s + 1; i < end; ++i)
        if (Lines[i].size() <= kMaxLineLength && SplitKey(Lines[i], k, v))
            keys.append(k);
    return keys;
}

QStringList IniFile::Sections() const {
    QStringList names;
    QString name;
    for (const QString& line : Lines)
        if (line.size() <= kMaxLineLength && IsSectionLine(line, &name))
            names.append(name);
    return names;
}

QString IniFile::Text() const {
    QString t = Lines.join(QLatin1Char('\n'));
    if (!Lines.isEmpty())
        t += QLatin1Char('\n');
    return t;
}

bool IniFile::Save(const QString& path, QString* error) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    f.write(Text().toUtf8());
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}
