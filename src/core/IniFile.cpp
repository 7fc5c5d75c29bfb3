#include "IniFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// True when the bytes (without BOM) are GB18030 and not UTF-8.
bool IsGb18030(const QByteArray& data) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(data); // decoding happens on conversion to QString
    if (!utf8.hasError())
        return false;
    QStringDecoder gb("GB18030");
    if (!gb.isValid())
        return false;
    const QString asGb = gb.decode(data);
    // Neither encoding fits (binary garbage): keep what UTF-8 makes of it.
    return !gb.hasError();
}

QString Decode(const QByteArray& data, bool gb18030) {
    if (gb18030)
        return QStringDecoder("GB18030").decode(data);
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless).decode(data);
}

} // namespace

QString DecodeIniBytes(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    return Decode(data, IsGb18030(data));
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

bool IniFile::Load(const QString& path, FileResult* result) {
    QByteArray bytes;
    const FileResult read = ReadFileLimited(path, kMaxFileSize, bytes);
    if (result)
        *result = read;
    LoadBytes(bytes);
    return static_cast<bool>(read);
}

void IniFile::LoadBytes(const QByteArray& bytes) {
    Lines.clear();
    Raw.clear();
    Bom.clear();
    LineEnd = "\n";
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) {
        Bom = data.left(3);
        data.remove(0, 3);
    }
    Gb18030 = IsGb18030(data);
    // Neither encoding uses CR or LF inside a character, so the bytes split into lines first.
    bool endSeen = false;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data.at(end) != '\n' && data.at(end) != '\r')
            ++end;
        qsizetype next = end;
        if (next < data.size())
            next += data.at(next) == '\r' && next + 1 < data.size() && data.at(next + 1) == '\n' ? 2 : 1;
        if (!endSeen && next > end) {
            LineEnd = data.mid(end, next - end);
            endSeen = true;
        }
        Lines.append(Decode(data.mid(start, end - start), Gb18030));
        Raw.append(data.mid(start, next - start));
        start = next;
    }
}

void IniFile::LoadText(const QString& text) {
    LoadBytes(text.toUtf8());
    // Text given as such counts as written by the program.
    for (QByteArray& raw : Raw)
        raw = QByteArray();
}

void IniFile::SetLine(int index, const QString& text) {
    if (Lines[index] == text)
        return;
    Lines[index] = text;
    Raw[index] = QByteArray();
}

void IniFile::InsertLine(int index, const QString& text) {
    Lines.insert(index, text);
    Raw.insert(index, QByteArray());
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
            InsertLine(static_cast<int>(Lines.size()), QString());
        InsertLine(static_cast<int>(Lines.size()), QLatin1Char('[') + section + QLatin1Char(']'));
        InsertLine(static_cast<int>(Lines.size()), entry);
        return;
    }
    const int line = FindKey(s, key);
    if (line >= 0) {
        QString k, v;
        SplitKey(Lines[line], k, v);
        // An unchanged value keeps its line as it is, blanks and all.
        if (v == value)
            return;
        // Keep the key's own spelling as the file has it.
        const int eq = Lines[line].indexOf(QLatin1Char('='));
        SetLine(line, Lines[line].left(eq).trimmed() + QLatin1Char('=') + value);
        return;
    }
    // New key: after the section's last non-blank line, so blank separators stay where they were.
    int insertAt = SectionEnd(s);
    while (insertAt - 1 > s && Lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    InsertLine(insertAt, entry);
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

QByteArray IniFile::Bytes() const {
    QStringEncoder gb("GB18030");
    const bool encodeGb = Gb18030 && gb.isValid();
    QByteArray out = Bom;
    for (int i = 0; i < Lines.size(); ++i) {
        const QByteArray& raw = Raw[i];
        if (raw.isNull()) {
            out += encodeGb ? QByteArray(gb.encode(Lines[i])) : Lines[i].toUtf8();
            out += LineEnd;
        } else {
            out += raw;
            // The file's last line may lack its line end; a line written after it needs one.
            if (i + 1 < Lines.size() && !raw.endsWith('\n') && !raw.endsWith('\r'))
                out += LineEnd;
        }
    }
    return out;
}

bool IniFile::Save(const QString& path, QString* error) const {
    const FileResult written = WriteFileAtomically(path, Bytes());
    if (!written && error)
        *error = written.Reason;
    return static_cast<bool>(written);
}
