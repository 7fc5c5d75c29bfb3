#include "WireBytes.h"

QByteArray BlockCommand(quint8 command, int address, const QByteArray& data) {
    QByteArray bytes;
    bytes.append(static_cast<char>(command));
    bytes.append(static_cast<char>((address >> 8) & 0xFF));
    bytes.append(static_cast<char>(address & 0xFF));
    bytes.append(static_cast<char>(kBlockSize));
    bytes.append(data);
    return bytes;
}
