#pragma once

#include "radiodata/WriteRead.h"

#include <QByteArray>
#include <QString>

// The bytes of the radio's programming protocol, shared by the link and the simulator.
constexpr quint8 kStart = 0x02;
constexpr quint8 kAck = 0x06;
constexpr quint8 kNak = 0x15;
constexpr quint8 kEnd = 0x45;             // "E"
constexpr quint8 kIdentityRequest = 0x4D; // "M", followed by kIdentityArgument
constexpr quint8 kIdentityArgument = 0x02;
constexpr quint8 kReadCommand = 0x52;  // "R"
constexpr quint8 kWriteCommand = 0x57; // "W"
constexpr int kIdentitySize = 8;
constexpr int kReadReplyHeader = 4;
constexpr int kReadReplySize = kReadReplyHeader + kBlockSize; // four header bytes, then the block
constexpr char kHandshakeText[] = "PROGRA";                   // sent after kStart

// "R"/"W" + address (high byte first) + block length; a write appends the 16 bytes.
QByteArray BlockCommand(quint8 command, int address, const QByteArray& data = QByteArray());
