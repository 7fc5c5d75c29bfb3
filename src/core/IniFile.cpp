#include "IniFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

// Decodes one line at a time: UTF-8 when the line is valid UTF-8, otherwise GB18030 when it is
// valid GB18030, otherwise what UTF-8 makes of it. Deciding line by line keeps one odd line (a
// Latin-1 name) from changing how every other line of the file reads.
// True when the bytes have the shape of GB18030: ASCII, two-byte (81-FE, 40-7E or 80-FE) and
// four-byte (81-FE, 30-39, 81-FE, 30-39) characters only; anything else is not tried as GB18030.
bool IsGb18030Shaped(const QByteArray& line) {
    const auto in = [](char c, int low, int high) {
        const int u = static_cast<unsigned char>(c);
        return u >= low && u <= high;
    };
    for (qsizetype i = 0; i < line.size();) {
        if (in(line[i], 0x00, 0x7F)) {
            ++i;
        } else if (!in(line[i], 0x81, 0xFE) || i + 1 >= line.size()) {
            return false;
        } else if (in(line[i + 1], 0x40, 0x7E) || in(line[i + 1], 0x80, 0xFE)) {
            i += 2;
        } else if (in(line[i + 1], 0x30, 0x39) && i + 3 < line.size() && in(line[i + 2], 0x81, 0xFE) &&
                   in(line[i + 3], 0x30, 0x39)) {
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

class LineDecoder {
public:
    enum Kind { Ascii, Utf8, Gb18030, Neither };

    QString operator()(const QByteArray& line, Kind& kind) {
        Utf8Decoder.resetState();
        const QString text = Utf8Decoder.decode(line); // decoding happens on conversion
        if (!Utf8Decoder.hasError()) {
            kind = text.size() == line.size() ? Ascii : Utf8;
            return text;
        }
        if (IsGb18030Shaped(line)) {
            // Opening a GB18030 decoder costs far more than decoding a line: only when needed.
            if (!GbDecoder)
                GbDecoder.emplace("GB18030", QStringDecoder::Flag::Stateless);
            const QString gb = GbDecoder->isValid() ? GbDecoder->decode(line) : QString();
            if (GbDecoder->isValid() && !GbDecoder->hasError()) {
                kind = Gb18030;
                return gb;
            }
            // Qt's resetState() does not clear an error of the GB18030 decoder: the next line
            // would be refused with it, so it gets a fresh decoder.
            GbDecoder.reset();
        }
        kind = Neither;
        return text;
    }

private:
    // Stateless: a character cut off at the end of a line is an error, not one still to come.
    QStringDecoder Utf8Decoder{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    std::optional<QStringDecoder> GbDecoder;
};

} // namespace

namespace {

bool IsSectionLine(const QString& line, QString* name = nullptr) {
    // Most lines are keys: decide on the first visible character before copying anything.
    qsizetype first = 0;
    while (first < line.size() && line.at(first).isSpace())
        ++first;
    if (first == line.size() || line.at(first) != QLatin1Char('['))
        return false;
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
    Gb18030 = false;
    bool utf8 = false;
    LineDecoder decode;
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
        LineDecoder::Kind kind = LineDecoder::Ascii;
        Lines.append(decode(data.mid(start, end - start), kind));
        Gb18030 = Gb18030 || kind == LineDecoder::Gb18030;
        utf8 = utf8 || kind == LineDecoder::Utf8;
        Raw.append(data.mid(start, next - start));
        start = next;
    }
    // The lines the program writes follow a file written on Chinese Windows in its encoding.
    Gb18030 = Gb18030 && !utf8;
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
    std::optional<QStringEncoder> gb;
    if (Gb18030)
        gb.emplace("GB18030");
    QByteArray out = Bom;
    for (int i = 0; i < Lines.size(); ++i) {
        const QByteArray& raw = Raw[i];
        if (raw.isNull()) {
            out += gb && gb->isValid() ? QByteArray(gb->encode(Lines[i])) : Lines[i].toUtf8();
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
