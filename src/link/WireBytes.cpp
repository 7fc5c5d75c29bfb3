#include "WireBytes.h"

QByteArray BlockCommand(quint8 command, int address, const QByteArray& data) {
    QByteArray bytes;
    bytes.append(static_cast<char>(command));
    bytes.append(static_cast<char>((address >> 8) & 0xFF));
    bytes.append(static_cast<char>(address & 0xFF));
    bytes.append(static_cast<char>(kBlockBytes));
    bytes.append(data);
    return bytes;
}

QString HexBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString AddressText(int address) {
    return QStringLiteral("0x") + QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}
