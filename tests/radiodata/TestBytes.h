#pragma once

#include "common/Codeplugs.h"
#include "radiodata/WriteRead.h"

#include <QByteArray>
#include <QString>

inline TBlock Block(const char* text) {
    const QByteArray bytes = HexToBytes(text);
    TBlock block;
    block.fill(0xFF);
    for (int i = 0; i < kBlockSize && i < bytes.size(); ++i)
        block[static_cast<size_t>(i)] = static_cast<quint8>(bytes.at(i));
    return block;
}

inline QString Hex(const TBlock& block) {
    return HexBytes(block.data(), kBlockSize);
}

inline QString Hex(const QByteArray& bytes) {
    return HexBytes(reinterpret_cast<const quint8*>(bytes.constData()), static_cast<int>(bytes.size()));
}

inline QString Hex(const char* text) {
    return Hex(HexToBytes(text));
}
