#include "SimFault.h"

#include "radiodata/MemoryImage.h"

#include <QRegularExpression>

namespace {

struct KindName {
    SimFault::Kind Kind;
    const char* Name;
    bool TakesAddress;
};

constexpr KindName kKinds[] = {
    {SimFault::Silent, "silent", false},
    {SimFault::Identity, "identity", false},
    {SimFault::NoAck, "no-ack", false},
    {SimFault::NoIdentity, "no-identity", false},
    {SimFault::Nak, "nak", false},
    {SimFault::Drop, "drop", true},
    {SimFault::Short, "short", true},
    {SimFault::Hangup, "hangup", true},
    {SimFault::Noise, "noise", true},
    {SimFault::DupAck, "dup-ack", false},
    {SimFault::Stray, "stray", true},
    {SimFault::Next, "next", true},
    {SimFault::NakWrite, "nak-write", false},
};

bool Fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

bool ParseSimFault(const QString& text, SimFault& fault, QString* error) {
    const QString t = text.trimmed();
    const int eq = t.indexOf(QLatin1Char('='));
    const QString name = (eq < 0 ? t : t.left(eq)).toLower();
    const QString value = eq < 0 ? QString() : t.mid(eq + 1).trimmed();
    for (const KindName& k : kKinds) {
        if (name != QLatin1String(k.Name))
            continue;
        SimFault f;
        f.Type = k.Kind;
        if (k.Kind == SimFault::Identity) {
            static const QRegularExpression hex16(QStringLiteral("^[0-9A-Fa-f]{16}$"));
            if (!hex16.match(value).hasMatch())
                return Fail(error, QStringLiteral("fault '%1': identity wants 16 hexadecimal digits").arg(t));
            f.IdentityBytes = QByteArray::fromHex(value.toLatin1());
        } else if (k.TakesAddress) {
            bool ok = false;
            const int address = value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                    ? value.mid(2).toInt(&ok, 16)
                                    : value.toInt(&ok, 10);
            if (!ok || address < 0 || address >= kImageSize)
                return Fail(error, QStringLiteral("fault '%1': %2 wants a memory address 0x0000-0x%3")
                                       .arg(t, QLatin1String(k.Name))
                                       .arg(kImageSize - 1, 4, 16, QLatin1Char('0')));
            f.Address = address;
        } else if (eq >= 0) {
            return Fail(error, QStringLiteral("fault '%1': %2 takes no value").arg(t, QLatin1String(k.Name)));
        }
        fault = f;
        return true;
    }
    return Fail(
        error,
        QStringLiteral("unknown fault '%1' (silent, no-ack, no-identity, nak, drop=ADDR, "
                       "short=ADDR, hangup=ADDR, noise=ADDR, identity=HEX16, dup-ack, stray=ADDR, next=ADDR, "
                       "nak-write)")
            .arg(t));
}

QString SimFaultText(const SimFault& fault) {
    for (const KindName& k : kKinds) {
        if (k.Kind != fault.Type)
            continue;
        QString s = QLatin1String(k.Name);
        if (fault.Type == SimFault::Identity)
            s += QLatin1Char('=') + QString::fromLatin1(fault.IdentityBytes.toHex().toUpper());
        else if (k.TakesAddress)
            s += QStringLiteral("=0x%1").arg(fault.Address, 4, 16, QLatin1Char('0'));
        return s;
    }
    return QString();
}
