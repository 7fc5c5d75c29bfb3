#include "CodeplugJson.h"

#include "WriteRead.h"

#include "core/FileIo.h"
#include "core/Values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <set>
#include <variant>
#include <vector>

namespace {

const QString kFormat = QStringLiteral("v35-codeplug");
constexpr int kVersion = 1;

// One function setting: its name, where it lives in TFun and what the radio can hold of it.
struct FunctionField {
    const char* Name;
    std::variant<int TFun::*, bool TFun::*, double TFun::*, QString TFun::*> Member;
    int Low = 0;
    int High = 255; // integers: most settings are one byte of a block
    enum TextKind { NotText, VfoTone, Ani, RadioText } Text = NotText;
};

// Declaration order of TFun, which is the order of the JSON form.
const FunctionField kFunctionFields[] = {
    {"ModeFlag", &TFun::ModeFlag},
    {"CurrentChannel", &TFun::CurrentChannel}, // stored as channel - 1; 0 (none) as 0xFF
    {"VoxLevel", &TFun::VoxLevel},
    {"PowerLevel", &TFun::PowerLevel},
    {"SquelchLevel", &TFun::SquelchLevel},
    {"ScrSwitch", &TFun::ScrSwitch},
    {"LedMode", &TFun::LedMode},
    {"LedColor", &TFun::LedColor},
    {"KeyBeep", &TFun::KeyBeep},
    {"PowerOnTone", &TFun::PowerOnTone},
    {"AniSwitch", &TFun::AniSwitch},
    {"KeyLockMode", &TFun::KeyLockMode},
    {"TxTimeout", &TFun::TxTimeout},
    {"ScanMode", &TFun::ScanMode},
    {"OffsetDirection", &TFun::OffsetDirection},
    {"WideNarrow", &TFun::WideNarrow},
    {"VfoRxFreq", &TFun::VfoRxFreq},
    {"VfoOffset", &TFun::VfoOffset},
    {"VfoStep", &TFun::VfoStep, 0, 4}, // only five step codes exist
    {"VfoRxTone", &TFun::VfoRxTone, 0, 0, FunctionField::VfoTone},
    {"VfoTxTone", &TFun::VfoTxTone, 0, 0, FunctionField::VfoTone},
    {"StartTxFlag", &TFun::StartTxFlag},
    {"EndTxFlag", &TFun::EndTxFlag},
    {"ManualSet", &TFun::ManualSet},
    {"LanguageSelect", &TFun::LanguageSelect, 0, 3}, // two bits of the flag block
    {"WarningPrompt", &TFun::WarningPrompt},
    {"BatterySave", &TFun::BatterySave},
    {"ScramblerActive", &TFun::ScramblerActive},
    {"VoxDelay", &TFun::VoxDelay},
    {"TxFunctionLevel", &TFun::TxFunctionLevel},
    {"AniCode", &TFun::AniCode, 0, 0, FunctionField::Ani},
    {"RadioName", &TFun::RadioName, 0, 0, FunctionField::RadioText},
};

struct ChannelField {
    const char* Name;
    int ChannelValues::*Member;
    int High;
};

const ChannelField kChannelOptions[] = {
    {"Power", &ChannelValues::Power, 1},     {"Bandwidth", &ChannelValues::Bandwidth, 1},
    {"ScanAdd", &ChannelValues::ScanAdd, 1}, {"OptSignal", &ChannelValues::OptSignal, 2},
    {"PttId", &ChannelValues::PttId, 1},     {"BusyLock", &ChannelValues::BusyLock, 2},
};

QString JsonText(const QJsonValue& v) {
    const QByteArray a = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

QString Quoted(const QString& s) {
    return JsonText(QJsonValue(s));
}

// A value as a message shows it: a long text is cut before it is written out at all.
QString ShownValue(const QJsonValue& v) {
    constexpr int kShown = 80;
    if (v.isString() && v.toString().size() > kShown)
        return ReadableText(JsonText(QJsonValue(v.toString().left(kShown))), kShown);
    return ReadableText(JsonText(v), kShown);
}

// The text of the JSON string starting at json[i] (the opening quote); i ends after the closing
// quote. The document has been parsed already, so it is well formed.
QString ScanString(const QByteArray& json, qsizetype& i) {
    QByteArray raw;
    QString text;
    ++i;
    while (i < json.size() && json.at(i) != '"') {
        if (json.at(i) != '\\') {
            raw += json.at(i++);
            continue;
        }
        text += QString::fromUtf8(raw);
        raw.clear();
        const char c = i + 1 < json.size() ? json.at(i + 1) : '\0';
        i += 2;
        switch (c) {
        case 'b':
            text += QLatin1Char('\b');
            break;
        case 'f':
            text += QLatin1Char('\f');
            break;
        case 'n':
            text += QLatin1Char('\n');
            break;
        case 'r':
            text += QLatin1Char('\r');
            break;
        case 't':
            text += QLatin1Char('\t');
            break;
        case 'u': {
            bool ok = false;
            const ushort unit = json.mid(i, 4).toUShort(&ok, 16);
            text += QChar(unit); // surrogate halves pair up in the QString
            i += 4;
            break;
        }
        default:
            text += QLatin1Char(c);
            break;
        }
    }
    ++i;
    return text + QString::fromUtf8(raw);
}

// The first key given twice in one object, as "channels[2].Channel"; empty when there is none.
// The parser keeps the last of such keys silently, so the text itself is walked.
QString DuplicateKey(const QByteArray& json) {
    struct Frame {
        bool Object = false;
        std::set<QString> Keys;
        QString Path;
        int Index = 0;
        bool ExpectKey = true;
        QString Current;
    };
    std::vector<Frame> stack;
    const auto childPath = [&]() {
        if (stack.empty())
            return QString();
        const Frame& f = stack.back();
        if (f.Object)
            return f.Path.isEmpty() ? f.Current : f.Path + QLatin1Char('.') + f.Current;
        return f.Path + QStringLiteral("[%1]").arg(f.Index);
    };
    for (qsizetype i = 0; i < json.size();) {
        const char c = json.at(i);
        if (c == '{' || c == '[') {
            Frame frame;
            frame.Object = c == '{';
            frame.Path = childPath();
            stack.push_back(std::move(frame));
            ++i;
        } else if (c == '}' || c == ']') {
            if (!stack.empty())
                stack.pop_back();
            ++i;
        } else if (c == ',') {
            if (!stack.empty()) {
                stack.back().ExpectKey = true;
                ++stack.back().Index;
            }
            ++i;
        } else if (c == ':') {
            if (!stack.empty())
                stack.back().ExpectKey = false;
            ++i;
        } else if (c == '"') {
            const QString text = ScanString(json, i);
            if (!stack.empty() && stack.back().Object && stack.back().ExpectKey) {
                Frame& f = stack.back();
                f.Current = text;
                if (!f.Keys.insert(text).second)
                    return childPath();
            }
        } else {
            ++i;
        }
    }
    return {};
}

// Reports the first problem; every check returns false through it.
class Reader {
public:
    explicit Reader(QString* error) : Error(error) {}

    // Keys and values come from the file: both are cut and made readable.
    bool Fail(const QString& key, const QJsonValue& value, const QString& why) {
        const QString shownKey = ReadableText(key, 120);
        if (Error)
            *Error = value.isUndefined()
                         ? QStringLiteral("key \"%1\": %2").arg(shownKey, why)
                         : QStringLiteral("key \"%1\": %2 %3").arg(shownKey, ShownValue(value), why);
        return false;
    }

    bool OnlyKeys(const QJsonObject& o, const QString& prefix, const QStringList& known) {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!known.contains(it.key()))
                return Fail(prefix + it.key(), it.value(), QStringLiteral("is not a key of this format"));
        return true;
    }

    bool Integer(const QString& key, const QJsonValue& v, int low, int high, int& out) {
        if (!v.isDouble() || std::floor(v.toDouble()) != v.toDouble())
            return Fail(key, v, QStringLiteral("is not a whole number"));
        const double d = v.toDouble();
        if (d < low || d > high)
            return Fail(key, v, QStringLiteral("is outside %1-%2").arg(low).arg(high));
        out = static_cast<int>(d);
        return true;
    }

    bool Boolean(const QString& key, const QJsonValue& v, bool& out) {
        if (!v.isBool())
            return Fail(key, v, QStringLiteral("is not true or false"));
        out = v.toBool();
        return true;
    }

    bool Text(const QString& key, const QJsonValue& v, QString& out) {
        if (!v.isString())
            return Fail(key, v, QStringLiteral("is not a text"));
        out = v.toString();
        return true;
    }

    // A frequency as text ("446.00625") or number; the field holds 0 to 999.99999 MHz.
    bool Frequency(const QString& key, const QJsonValue& v, double& out) {
        double mhz = 0.0;
        if (v.isDouble())
            mhz = v.toDouble();
        else if (!v.isString() || !ParseFrequencyText(v.toString(), mhz))
            return Fail(key, v, QStringLiteral("is not a frequency in MHz"));
        if (mhz < 0.0)
            return Fail(key, v, QStringLiteral("is negative"));
        if (!TBWriteRead::IsStorableFrequency(mhz))
            return Fail(key, v, QStringLiteral("is not below 1000 MHz"));
        out = mhz;
        return true;
    }

    // "67.0", "D023N", "D023I" or "" (none). DCS digits are those a radio's field can hold.
    bool Tone(const QString& key, const QJsonValue& v, bool frequencyMode, QString& out) {
        QString t;
        if (!Text(key, v, t))
            return false;
        static const QRegularExpression ctcss(
            QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,3}\\.[0-9]")));
        static const QRegularExpression dcs(
            QRegularExpression::anchoredPattern(QStringLiteral("D[0-9A-F]{3}[NIni]")));
        quint16 word = 0xFFFF;
        if (!t.isEmpty()) {
            if (!(ctcss.match(t).hasMatch() || dcs.match(t).hasMatch()) || !TBWriteRead::ToneWord(t, word))
                return Fail(key, v,
                            QStringLiteral("is not a tone (such as \"67.0\", \"D023N\" or \"D023I\")"));
            if (t.at(0) != QLatin1Char('D') && (word >> 12) == 0x8)
                return Fail(key, v, QStringLiteral("cannot be stored: the radio reads 800.0-899.9 as DCS"));
            if (frequencyMode && ((word & 0xFF) == 0xFF || (word >> 8) == 0xFF))
                return Fail(key, v, QStringLiteral("cannot be stored in the frequency-mode block"));
        }
        out = t;
        return true;
    }

    QString* Error;
};

bool ReadFunctions(Reader& r, const QJsonObject& o, TFun& f) {
    QStringList known;
    for (const FunctionField& field : kFunctionFields)
        known << QLatin1String(field.Name);
    if (!r.OnlyKeys(o, QStringLiteral("functions."), known))
        return false;
    for (const FunctionField& field : kFunctionFields) {
        const QString name = QLatin1String(field.Name);
        if (!o.contains(name))
            continue;
        const QString key = QStringLiteral("functions.") + name;
        const QJsonValue v = o.value(name);
        bool ok = true;
        if (auto m = std::get_if<int TFun::*>(&field.Member)) {
            ok = r.Integer(key, v, field.Low, field.High, f.**m);
        } else if (auto b = std::get_if<bool TFun::*>(&field.Member)) {
            ok = r.Boolean(key, v, f.**b);
        } else if (auto d = std::get_if<double TFun::*>(&field.Member)) {
            ok = r.Frequency(key, v, f.**d);
        } else if (auto s = std::get_if<QString TFun::*>(&field.Member)) {
            QString text;
            switch (field.Text) {
            case FunctionField::VfoTone:
                ok = r.Tone(key, v, true, text);
                break;
            case FunctionField::Ani: {
                static const QRegularExpression digits(
                    QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{0,4}")));
                ok = r.Text(key, v, text) && (digits.match(text).hasMatch() ||
                                              r.Fail(key, v, QStringLiteral("is not up to four digits")));
                break;
            }
            case FunctionField::RadioText:
                ok = r.Text(key, v, text) &&
                     ((text.size() <= kRadioNameLength && TBWriteRead::IsStorableText(text)) ||
                      r.Fail(key, v, QStringLiteral("is not up to six characters the radio can store")));
                break;
            case FunctionField::NotText:
                break;
            }
            if (ok)
                f.** s = text;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool ReadChannel(Reader& r, const QJsonValue& item, int index, int channelCount,
                 std::map<int, ChannelValues>& channels) {
    const QString at = QStringLiteral("channels[%1]").arg(index);
    if (!item.isObject())
        return r.Fail(at, item, QStringLiteral("is not an object"));
    const QJsonObject o = item.toObject();
    QStringList known{QStringLiteral("Channel"), QStringLiteral("RxFrequency"), QStringLiteral("TxFrequency"),
                      QStringLiteral("RxTone"), QStringLiteral("TxTone")};
    for (const ChannelField& field : kChannelOptions)
        known << QLatin1String(field.Name);
    if (!r.OnlyKeys(o, at + QLatin1Char('.'), known))
        return false;
    int k = 0;
    if (!o.contains(QStringLiteral("Channel")))
        return r.Fail(at + QStringLiteral(".Channel"), QJsonValue::Undefined, QStringLiteral("is missing"));
    if (!r.Integer(at + QStringLiteral(".Channel"), o.value(QStringLiteral("Channel")), 1, channelCount, k))
        return false;
    const QString prefix = QStringLiteral("channels[%1] (channel %2).").arg(index).arg(k);
    if (channels.count(k))
        return r.Fail(at + QStringLiteral(".Channel"), o.value(QStringLiteral("Channel")),
                      QStringLiteral("is given twice"));
    ChannelValues v;
    if (!o.contains(QStringLiteral("RxFrequency")))
        return r.Fail(prefix + QStringLiteral("RxFrequency"), QJsonValue::Undefined,
                      QStringLiteral("is missing"));
    if (!r.Frequency(prefix + QStringLiteral("RxFrequency"), o.value(QStringLiteral("RxFrequency")),
                     v.RxFrequency))
        return false;
    const QJsonValue tx = o.value(QStringLiteral("TxFrequency"));
    v.TxFrequency = -1.0;
    if (!tx.isUndefined() && !(tx.isString() && tx.toString().trimmed().isEmpty()) &&
        !r.Frequency(prefix + QStringLiteral("TxFrequency"), tx, v.TxFrequency))
        return false;
    for (const auto& [name, tone] : {std::pair{"RxTone", &v.RxTone}, std::pair{"TxTone", &v.TxTone}}) {
        const QJsonValue t = o.value(QLatin1String(name));
        if (!t.isUndefined() && !r.Tone(prefix + QLatin1String(name), t, false, *tone))
            return false;
    }
    for (const ChannelField& field : kChannelOptions) {
        const QJsonValue value = o.value(QLatin1String(field.Name));
        if (!value.isUndefined() &&
            !r.Integer(prefix + QLatin1String(field.Name), value, 0, field.High, v.*field.Member))
            return false;
    }
    channels[k] = v;
    return true;
}

} // namespace

QString KnownBandText(const TFrqList& bands, int id) {
    for (const TFrqList::Entry& e : bands.Entries())
        if (e.Id == id)
            return e.Text;
    return {};
}

QByteArray CodeplugToJson(const Codeplug& plug, const TFrqList& bands, const QString& savedText) {
    const QString band = KnownBandText(bands, plug.BandId);
    QString out;
    out += QStringLiteral("{\n");
    out += QStringLiteral("  \"format\": %1,\n").arg(Quoted(kFormat));
    out += QStringLiteral("  \"version\": %1,\n").arg(kVersion);
    out += QStringLiteral("  \"model\": %1,\n").arg(Quoted(plug.Identity));
    out += QStringLiteral("  \"band\": %1,\n").arg(band.isEmpty() ? QStringLiteral("null") : Quoted(band));
    out += QStringLiteral("  \"saved\": %1,\n")
               .arg(savedText.isEmpty() ? QStringLiteral("null") : Quoted(savedText));
    // One channel per line, so that a diff shows the channels that changed.
    QStringList channels;
    for (const auto& [k, v] : plug.Channels) {
        QStringList fields;
        fields << QStringLiteral("\"Channel\": %1").arg(k)
               << QStringLiteral("\"RxFrequency\": %1").arg(Quoted(FormatFrequency(v.RxFrequency)))
               << QStringLiteral("\"TxFrequency\": %1")
                      .arg(Quoted(v.TxFrequency > -1.0 ? FormatFrequency(v.TxFrequency) : QString()))
               << QStringLiteral("\"RxTone\": %1").arg(Quoted(v.RxTone))
               << QStringLiteral("\"TxTone\": %1").arg(Quoted(v.TxTone));
        for (const ChannelField& field : kChannelOptions)
            fields << QStringLiteral("\"%1\": %2").arg(QLatin1String(field.Name)).arg(v.*field.Member);
        channels << QStringLiteral("    {") + fields.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    if (channels.isEmpty())
        out += QStringLiteral("  \"channels\": [],\n");
    else
        out += QStringLiteral("  \"channels\": [\n") + channels.join(QStringLiteral(",\n")) +
               QStringLiteral("\n  ],\n");
    QStringList functions;
    const TFun& f = plug.Functions;
    for (const FunctionField& field : kFunctionFields) {
        QString value;
        if (auto m = std::get_if<int TFun::*>(&field.Member))
            value = QString::number(f.**m);
        else if (auto b = std::get_if<bool TFun::*>(&field.Member))
            value = f.**b ? QStringLiteral("true") : QStringLiteral("false");
        else if (auto d = std::get_if<double TFun::*>(&field.Member))
            value = Quoted(FormatFrequency(f.**d));
        else if (auto s = std::get_if<QString TFun::*>(&field.Member))
            value = Quoted(f.**s);
        functions << QStringLiteral("    \"%1\": %2").arg(QLatin1String(field.Name), value);
    }
    out += QStringLiteral("  \"functions\": {\n") + functions.join(QStringLiteral(",\n")) +
           QStringLiteral("\n  },\n");
    out += QStringLiteral("  \"message\": {\n    \"LineA\": %1,\n    \"LineB\": %2\n  }\n")
               .arg(Quoted(plug.Message.LineA), Quoted(plug.Message.LineB));
    out += QStringLiteral("}\n");
    return out.toUtf8();
}

bool CodeplugFromJson(const QByteArray& json, const TMacList& catalogue, const TFrqList& bands, Codeplug& out,
                      QString* error) {
    Reader r(error);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("not JSON at byte %1: %2")
                         .arg(parseError.offset)
                         .arg(parseError.errorString());
        return false;
    }
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("the JSON text is not an object");
        return false;
    }
    const QString twice = DuplicateKey(json);
    if (!twice.isEmpty())
        return r.Fail(twice, QJsonValue::Undefined, QStringLiteral("is given twice"));
    const QJsonObject top = doc.object();
    if (!r.OnlyKeys(top, QString(),
                    {QStringLiteral("format"), QStringLiteral("version"), QStringLiteral("model"),
                     QStringLiteral("band"), QStringLiteral("saved"), QStringLiteral("channels"),
                     QStringLiteral("functions"), QStringLiteral("message")}))
        return false;
    const QJsonValue format = top.value(QStringLiteral("format"));
    if (format.toString() != kFormat)
        return r.Fail(QStringLiteral("format"), format, QStringLiteral("is not %1").arg(Quoted(kFormat)));
    const QJsonValue version = top.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kVersion)
        return r.Fail(QStringLiteral("version"), version, QStringLiteral("is not %1").arg(kVersion));

    Codeplug plug;
    const TMacType* model = catalogue.GetModel(0);
    const QJsonValue modelValue = top.value(QStringLiteral("model"));
    if (!modelValue.isUndefined()) {
        QString identity;
        if (!r.Text(QStringLiteral("model"), modelValue, identity))
            return false;
        model = catalogue.FindByIdentity(identity);
        if (!model)
            return r.Fail(QStringLiteral("model"), modelValue,
                          QStringLiteral("is not a model of the catalogue"));
    }
    if (!model) {
        if (error)
            *error = QStringLiteral("the catalogue holds no model");
        return false;
    }
    plug.Identity = model->Identity;

    const QJsonValue band = top.value(QStringLiteral("band"));
    if (band.isUndefined()) {
        plug.BandId = bands.BandIdOf(model->DefaultBand);
    } else if (band.isNull()) {
        plug.BandId = 0; // a band the table does not know
    } else {
        QString text;
        if (!r.Text(QStringLiteral("band"), band, text))
            return false;
        plug.BandId = bands.BandIdOf(text);
        if (plug.BandId == 0)
            return r.Fail(QStringLiteral("band"), band, QStringLiteral("is not a band of the band table"));
    }

    const QJsonValue channels = top.value(QStringLiteral("channels"));
    if (!channels.isUndefined()) {
        if (!channels.isArray())
            return r.Fail(QStringLiteral("channels"), channels, QStringLiteral("is not a list"));
        const QJsonArray list = channels.toArray();
        for (int i = 0; i < list.size(); ++i)
            if (!ReadChannel(r, list.at(i), i, model->ChannelCount, plug.Channels))
                return false;
    }

    const QJsonValue functions = top.value(QStringLiteral("functions"));
    if (!functions.isUndefined()) {
        if (!functions.isObject())
            return r.Fail(QStringLiteral("functions"), functions, QStringLiteral("is not an object"));
        if (!ReadFunctions(r, functions.toObject(), plug.Functions))
            return false;
    }

    const QJsonValue message = top.value(QStringLiteral("message"));
    if (!message.isUndefined()) {
        if (!message.isObject())
            return r.Fail(QStringLiteral("message"), message, QStringLiteral("is not an object"));
        const QJsonObject m = message.toObject();
        if (!r.OnlyKeys(m, QStringLiteral("message."), {QStringLiteral("LineA"), QStringLiteral("LineB")}))
            return false;
        for (const auto& [name, line] :
             {std::pair{"LineA", &plug.Message.LineA}, std::pair{"LineB", &plug.Message.LineB}}) {
            const QJsonValue v = m.value(QLatin1String(name));
            if (v.isUndefined())
                continue;
            const QString key = QStringLiteral("message.") + QLatin1String(name);
            QString text;
            if (!r.Text(key, v, text))
                return false;
            // The radio holds two blocks of 16 bytes per line.
            if (text.size() > TEnMsg::kMaxLineLength)
                return r.Fail(key, v,
                              QStringLiteral("is longer than %1 characters").arg(TEnMsg::kMaxLineLength));
            if (!TBWriteRead::IsStorableText(text))
                return r.Fail(key, v, QStringLiteral("holds a character the radio cannot store"));
            *line = text;
        }
    }
    out = plug;
    return true;
}
