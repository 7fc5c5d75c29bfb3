#include "CodeplugCsv.h"

#include "core/ToneLists.h"
#include "core/Values.h"

#include <QHash>
#include <QLocale>

#include <cmath>

namespace {

// The radio's two power levels, in watts, for a power column that gives a wattage.
constexpr double kLowWatts = 1.0;
constexpr double kHighWatts = 5.0;
// Transmit frequencies further than this from the receive one are written as "split".
constexpr double kLargestOffsetMhz = 70.0;

// Defaults of the tone columns that a row's tone mode does not use, as the other tools write them.
const QString kDefaultCtcss = QStringLiteral("88.5");
const QString kDefaultDcs = QStringLiteral("023");

enum Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    ColumnCount = 21
};

QString SixDecimals(double mhz) {
    const qint64 units = FrequencyUnits(mhz);
    return QStringLiteral("%1.%2").arg(units / 100000).arg((units % 100000) * 10, 6, 10, QLatin1Char('0'));
}

bool IsCtcss(const QString& tone) {
    return !tone.isEmpty() && tone.at(0).isDigit();
}
bool IsDcs(const QString& tone) {
    return tone.size() == 5 && tone.at(0) == QLatin1Char('D');
}
QString DcsCode(const QString& tone) {
    return tone.mid(1, 3);
}
// The other tools call this radio's inverted polarity "R" (reversed).
QChar Polarity(const QString& tone) {
    return IsDcs(tone) && tone.at(4).toUpper() == QLatin1Char('I') ? QLatin1Char('R') : QLatin1Char('N');
}

// A CSV line's fields: commas outside double quotes separate them, "" inside quotes is one quote.
QStringList SplitCsvLine(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(field);
    return fields;
}

// One data row: its fields by column, and the first reason it cannot be taken.
struct Row {
    const QHash<int, int>& Where; // column -> field index
    const QStringList& Fields;
    QString Why;

    bool Has(int column) const { return Where.contains(column); }
    QString Text(int column) const {
        const int at = Where.value(column, -1);
        return at >= 0 && at < Fields.size() ? Fields.at(at).trimmed() : QString();
    }
    bool Refuse(const QString& reason) {
        if (Why.isEmpty())
            Why = reason;
        return false;
    }
    bool Refused() const { return !Why.isEmpty(); }
};

double Mhz(Row& row, const QString& text, const char* column) {
    double v = 0.0;
    if (!ParseFrequencyText(text, v) || v < 0)
        row.Refuse(QStringLiteral("%1 \"%2\" is not a frequency").arg(QLatin1String(column), text));
    return v;
}

QString CtcssTone(Row& row, int column, const char* name) {
    const QString text = row.Text(column);
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    const QString tone = ok ? QString::number(v, 'f', 1) : QString();
    if (!ok || !LongToneList().contains(tone))
        row.Refuse(
            QStringLiteral("%1 \"%2\" is not a CTCSS tone this radio has").arg(QLatin1String(name), text));
    return tone;
}

QString DcsTone(Row& row, int column, const char* name, QChar polarity) {
    const QString code = row.Text(column);
    bool ok = false;
    const int number = code.toInt(&ok);
    const QString tone = QStringLiteral("D%1%2")
                             .arg(number, 3, 10, QLatin1Char('0'))
                             .arg(polarity == QLatin1Char('R') ? 'I' : 'N');
    if (!ok || code.size() > 3 || !LongToneList().contains(tone))
        row.Refuse(
            QStringLiteral("%1 \"%2\" is not a DCS code this radio has").arg(QLatin1String(name), code));
    return tone;
}

// One side of a cross mode: 0 nothing, 1 CTCSS, 2 DCS, -1 not a side.
int CrossSide(const QString& side) {
    if (side.isEmpty())
        return 0;
    if (side.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
        return 1;
    if (side.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
        return 2;
    return -1;
}

// Transmit and receive tones of a row, from its tone mode.
bool ReadTones(Row& row, ChannelValues& ch) {
    const QString mode = row.Text(Tone);
    QString polarity = row.Text(DtcsPolarity).toUpper();
    if (polarity.isEmpty())
        polarity = QStringLiteral("NN");
    const QString letters = QStringLiteral("NR");
    if (polarity.size() != 2 || !letters.contains(polarity.at(0)) || !letters.contains(polarity.at(1)))
        return row.Refuse(QStringLiteral("DtcsPolarity \"%1\" is not two letters N or R").arg(polarity));
    int tx = 0, rx = 0; // as CrossSide counts them
    int rxDcsColumn = RxDtcsCode;
    if (mode.isEmpty()) {
        // No tones.
    } else if (mode.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0) {
        tx = 1;
    } else if (mode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        tx = rx = 1;
    } else if (mode.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0) {
        tx = rx = 2;
        rxDcsColumn = DtcsCode;
    } else if (mode.compare(QLatin1String("Cross"), Qt::CaseInsensitive) == 0) {
        const QString cross = row.Text(CrossMode);
        const int arrow = static_cast<int>(cross.indexOf(QLatin1String("->")));
        tx = arrow < 0 ? -1 : CrossSide(cross.left(arrow));
        rx = arrow < 0 ? -1 : CrossSide(cross.mid(arrow + 2));
        if (tx < 0 || rx < 0 || (tx == 0 && rx == 0))
            return row.Refuse(QStringLiteral("CrossMode \"%1\" is not one this radio can hold").arg(cross));
    } else {
        return row.Refuse(QStringLiteral("tone mode \"%1\" is not one this radio has").arg(mode));
    }
    // In TSQL both directions use the tone of cToneFreq.
    const bool tsql = tx == 1 && rx == 1 && mode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0;
    ch.TxTone = tx == 1   ? CtcssTone(row, tsql ? CToneFreq : RToneFreq, tsql ? "cToneFreq" : "rToneFreq")
                : tx == 2 ? DcsTone(row, DtcsCode, "DtcsCode", polarity.at(0))
                          : QString();
    ch.RxTone = rx == 1   ? CtcssTone(row, CToneFreq, "cToneFreq")
                : rx == 2 ? DcsTone(row, rxDcsColumn, rxDcsColumn == DtcsCode ? "DtcsCode" : "RxDtcsCode",
                                    polarity.at(1))
                          : QString();
    return !row.Refused();
}

bool ReadRow(Row& row, const Codeplug& base, const CsvLimits& limits, int& channel, ChannelValues& ch) {
    bool ok = false;
    channel = row.Text(Location).toInt(&ok);
    if (!ok || channel < 1 || channel > limits.ChannelCount)
        return row.Refuse(QStringLiteral("Location \"%1\" is not a channel of this radio (1 to %2)")
                              .arg(row.Text(Location))
                              .arg(limits.ChannelCount));
    // Fields the format lacks keep what the channel holds, or a new channel's defaults.
    const auto existing = base.Channels.find(channel);
    ch = existing != base.Channels.end() ? existing->second : ChannelValues();

    const auto inBand = [&](double mhz, const char* what) {
        const qint64 units = FrequencyUnits(mhz);
        if (!row.Refused() && (units < FrequencyUnits(limits.Low) || units > FrequencyUnits(limits.High)))
            row.Refuse(QStringLiteral("%1 %2 MHz is outside this band (%3 to %4 MHz)")
                           .arg(QLatin1String(what), FormatFrequency(mhz), FormatFrequency(limits.Low),
                                FormatFrequency(limits.High)));
        return SnapFrequency(mhz);
    };
    const double rx = Mhz(row, row.Text(Frequency), "Frequency");
    ch.RxFrequency = inBand(rx, "the receive frequency");

    const QString duplex = row.Text(Duplex).toLower();
    const double offset = row.Text(Offset).isEmpty() ? 0.0 : Mhz(row, row.Text(Offset), "Offset");
    if (duplex.isEmpty())
        ch.TxFrequency = ch.RxFrequency;
    else if (duplex == QLatin1String("+"))
        ch.TxFrequency = inBand(rx + offset, "the transmit frequency");
    else if (duplex == QLatin1String("-"))
        ch.TxFrequency = inBand(rx - offset, "the transmit frequency");
    else if (duplex == QLatin1String("split"))
        ch.TxFrequency = inBand(offset, "the transmit frequency");
    else if (duplex == QLatin1String("off"))
        ch.TxFrequency = -1.0;
    else
        return row.Refuse(
            QStringLiteral("Duplex \"%1\" is not one of \"\", +, -, split, off").arg(row.Text(Duplex)));

    if (row.Has(Tone) && !ReadTones(row, ch))
        return false;
    // Without a transmit frequency there is nothing to send a tone on.
    if (ch.TxFrequency < 0)
        ch.TxTone.clear();

    const QString mode = row.Text(Mode);
    if (mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) == 0)
        ch.Bandwidth = 1;
    else if (mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0)
        ch.Bandwidth = 0;
    else if (!mode.isEmpty())
        return row.Refuse(QStringLiteral("Mode \"%1\" is not one this radio has (FM or NFM)").arg(mode));

    if (row.Has(Skip)) {
        // "P", a priority channel elsewhere, is scanned here like any other.
        const QString skip = row.Text(Skip);
        if (skip.isEmpty() || skip.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
            ch.ScanAdd = 1;
        else if (skip.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
            ch.ScanAdd = 0;
        else
            return row.Refuse(QStringLiteral("Skip \"%1\" is not \"\" or S").arg(skip));
    }

    QString power = row.Text(Power);
    if (power.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0) {
        ch.Power = 1;
    } else if (power.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0) {
        ch.Power = 0;
    } else if (!power.isEmpty()) {
        if (power.endsWith(QLatin1Char('W'), Qt::CaseInsensitive))
            power.chop(1);
        const double watts = QLocale::c().toDouble(power.trimmed(), &ok);
        if (!ok || !std::isfinite(watts) || watts < 0)
            return row.Refuse(
                QStringLiteral("Power \"%1\" is neither a level nor a wattage").arg(row.Text(Power)));
        ch.Power = std::abs(watts - kHighWatts) <= std::abs(watts - kLowWatts) ? 1 : 0;
    }
    return !row.Refused();
}

} // namespace

const QStringList& CsvColumns() {
    static const QStringList columns = {
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE")};
    return columns;
}

QByteArray ChannelsToCsv(const Codeplug& plug) {
    QString out = CsvColumns().join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const auto& [k, ch] : plug.Channels) {
        QStringList f(ColumnCount);
        f[Location] = QString::number(k);
        f[Frequency] = SixDecimals(ch.RxFrequency);
        f[Offset] = SixDecimals(0.0);
        if (ch.TxFrequency < 0) {
            f[Duplex] = QStringLiteral("off");
        } else if (FrequencyUnits(ch.TxFrequency) != FrequencyUnits(ch.RxFrequency)) {
            const double diff = ch.TxFrequency - ch.RxFrequency;
            if (std::abs(diff) > kLargestOffsetMhz) {
                f[Duplex] = QStringLiteral("split");
                f[Offset] = SixDecimals(ch.TxFrequency);
            } else {
                f[Duplex] = diff > 0 ? QStringLiteral("+") : QStringLiteral("-");
                f[Offset] = SixDecimals(std::abs(diff));
            }
        }
        f[RToneFreq] = f[CToneFreq] = kDefaultCtcss;
        f[DtcsCode] = f[RxDtcsCode] = kDefaultDcs;
        f[CrossMode] = QStringLiteral("Tone->Tone");
        const QString tx = ch.TxTone, rx = ch.RxTone;
        f[DtcsPolarity] = QString(Polarity(tx)) + Polarity(rx);
        if (tx.isEmpty() && rx.isEmpty()) {
            // No tones: the mode column stays empty.
        } else if (IsCtcss(tx) && rx.isEmpty()) {
            f[Tone] = QStringLiteral("Tone");
            f[RToneFreq] = tx;
        } else if (IsCtcss(tx) && tx == rx) {
            f[Tone] = QStringLiteral("TSQL");
            f[RToneFreq] = f[CToneFreq] = tx;
        } else if (IsDcs(tx) && IsDcs(rx) && DcsCode(tx) == DcsCode(rx)) {
            f[Tone] = QStringLiteral("DTCS");
            f[DtcsCode] = f[RxDtcsCode] = DcsCode(tx);
        } else {
            f[Tone] = QStringLiteral("Cross");
            const QString txSide = IsCtcss(tx) ? QStringLiteral("Tone")
                                   : IsDcs(tx) ? QStringLiteral("DTCS")
                                               : QString();
            const QString rxSide = IsCtcss(rx) ? QStringLiteral("Tone")
                                   : IsDcs(rx) ? QStringLiteral("DTCS")
                                               : QString();
            f[CrossMode] = txSide + QStringLiteral("->") + rxSide;
            if (IsCtcss(tx))
                f[RToneFreq] = tx;
            if (IsDcs(tx))
                f[DtcsCode] = DcsCode(tx);
            if (IsCtcss(rx))
                f[CToneFreq] = rx;
            if (IsDcs(rx))
                f[RxDtcsCode] = DcsCode(rx);
        }
        f[Mode] = ch.Bandwidth == 0 ? QStringLiteral("NFM") : QStringLiteral("FM");
        // Informative only: the raster the receive frequency lies on.
        f[TStep] =
            FrequencyUnits(ch.RxFrequency) % 500 == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25");
        f[Skip] = ch.ScanAdd == 0 ? QStringLiteral("S") : QString();
        f[Power] = ch.Power == 0 ? QStringLiteral("Low") : QStringLiteral("High");
        out += f.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

CsvChannels ChannelsFromCsv(const QByteArray& csv, const Codeplug& base, const CsvLimits& limits) {
    CsvChannels result;
    QByteArray bytes = csv;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    QHash<int, int> where;
    int line = 0;
    for (QString text : lines) {
        ++line;
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        if (line == 1) {
            const QStringList header = SplitCsvLine(text);
            for (int i = 0; i < header.size(); ++i)
                for (int c = 0; c < ColumnCount; ++c)
                    if (!where.contains(c) &&
                        CsvColumns().at(c).compare(header.at(i).trimmed(), Qt::CaseInsensitive) == 0)
                        where.insert(c, i);
            if (!where.contains(Location) || !where.contains(Frequency)) {
                result.Refused.append(
                    {1, QStringLiteral("the header names no Location and Frequency columns")});
                return result;
            }
            continue;
        }
        if (text.trimmed().isEmpty())
            continue;
        const QStringList fields = SplitCsvLine(text);
        Row row{where, fields, QString()};
        int channel = 0;
        ChannelValues ch;
        if (ReadRow(row, base, limits, channel, ch) && result.Channels.count(channel))
            row.Refuse(QStringLiteral("channel %1 is given a second time").arg(channel));
        if (row.Refused())
            result.Refused.append({line, row.Why});
        else
            result.Channels[channel] = ch;
    }
    return result;
}

QString CsvRefusalText(const QList<CsvRefusal>& refused) {
    QStringList lines;
    for (const CsvRefusal& r : refused)
        lines.append(QStringLiteral("line %1: %2").arg(r.Line).arg(r.Reason));
    return lines.join(QLatin1Char('\n'));
}
