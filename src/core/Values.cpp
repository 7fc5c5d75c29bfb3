#include "Values.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

qint64 FrequencyUnits(double mhz) {
    // A pasted "1e308" must still compare as far too high: saturate well inside qint64 rather than
    // overflow (which would come out as the low end, or anything).
    constexpr double kLimitMhz = 9.0e12;
    if (std::isnan(mhz))
        return 0;
    return qRound64(std::clamp(mhz, -kLimitMhz, kLimitMhz) * 100000.0);
}

QString FormatFrequency(double mhz) {
    const qint64 units = FrequencyUnits(mhz);
    const qint64 whole = std::llabs(units) / 100000;
    const qint64 frac = std::llabs(units) % 100000;
    return QStringLiteral("%1%2.%3")
        .arg(units < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(frac, 5, 10, QLatin1Char('0'));
}

bool ParseFrequencyText(const QString& text, double& mhz) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    // "460,125" and "1,000" are no frequencies: a group separator would make 460125 MHz of them.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    mhz = v;
    return true;
}

double SnapFrequency(double mhz) {
    const qint64 n = FrequencyUnits(mhz);
    const QString t = QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'));
    // Characters 7 and 8 of the eight-digit text: "00" means a whole kilohertz.
    const bool wholeKhz = t.mid(6, 2) == QLatin1String("00");
    const qint64 r = n % (wholeKhz ? 500 : 625);
    if (r == 0)
        return mhz;
    return static_cast<double>(n - r) / 100000.0;
}

bool ParseBandText(const QString& text, double& low, double& high) {
    const int dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return false;
    const int mhzPos = text.indexOf(QLatin1String("MHz"), dash + 1);
    if (mhzPos < 0)
        return false;
    double l = 0, h = 0;
    if (!ParseFrequencyText(text.left(dash), l) ||
        !ParseFrequencyText(text.mid(dash + 1, mhzPos - dash - 1), h))
        return false;
    low = l;
    high = h;
    return true;
}

QString NormalizeToneText(const QString& text) {
    if (text.isEmpty())
        return text;
    const QChar first = text.at(0);
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9')) {
        bool ok = false;
        double v = QLocale::c().toDouble(text.trimmed(), &ok);
        if (!ok || !std::isfinite(v))
            return QStringLiteral("254.1");
        v = std::clamp(v, 30.0, 290.0);
        return QString::number(v, 'f', 1);
    }
    // Anchored to the whole text: "$" alone would also accept a line end after the code.
    static const QRegularExpression dcs(QRegularExpression::anchoredPattern(QStringLiteral("D[0-7]{3}[NIni]")));
    if (dcs.match(text).hasMatch())
        return text;
    return QStringLiteral("D777N");
}

bool TestBit(quint8 b, int n) {
    if (n < 0 || n > 7)
        return false;
    return (b >> n) & 1;
}

QString BitTextToDecimal(const QString& text) {
    qint64 value = 0;
    for (const QChar c : text.toUpper())
        value = value * 2 + (c.unicode() - 48);
    return QString::number(value);
}

QString ReverseText(const QString& text) {
    QString r = text;
    std::reverse(r.begin(), r.end());
    return r;
}
