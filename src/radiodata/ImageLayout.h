#pragma once

#include "Codeplug.h"
#include "WriteRead.h"

#include "core/MacType.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Where each block of a model's memory lies. With B = ChannelCount + SpareBlocks: channels from
// block 0, the band, flag, ANI and name blocks from B, a gap of 59 blocks, the four message halves,
// the four bitmaps, then the model, settings and frequency-mode blocks.
struct ImageLayout {
    explicit ImageLayout(const TMacType& model)
        : ChannelCount(model.ChannelCount), SpareBlocks(model.SpareBlocks),
          Base(model.ChannelCount + model.SpareBlocks) {}

    static constexpr int kGapBlocks = 59;
    // Models with this many channels or fewer have no channel bitmaps.
    static constexpr int kMaxChannelsWithoutBitmaps = 16;

    int ChannelAddress(int channel) const { return kBlockSize * (channel - 1); }
    int BandAddress() const { return kBlockSize * Base; }
    int FlagAddress() const { return kBlockSize * (Base + 1); }
    int AniAddress() const { return kBlockSize * (Base + 2); }
    int NameAddress() const { return kBlockSize * (Base + 3); }
    int GapAddress() const { return kBlockSize * (Base + 4); }
    // half 0: line A first, 1: line A second, 2: line B first, 3: line B second
    int MessageAddress(int half) const { return kBlockSize * (Base + 4 + kGapBlocks + half); }
    // 0, 1: channel use 1-128, 129-256; 2, 3: scan add
    int BitmapAddress(int index) const { return kBlockSize * (Base + 67 + index); }
    int ModelAddress() const { return kBlockSize * (Base + 71); }
    int SettingsAddress() const { return kBlockSize * (Base + 72); }
    int VfoAddress() const { return kBlockSize * (Base + 73); }
    int ImageSize() const { return kBlockSize * (Base + 74); }
    bool HasBitmaps() const { return ChannelCount > kMaxChannelsWithoutBitmaps; }

    int ChannelCount;
    int SpareBlocks;
    int Base;
};

TBlock BlockAt(const QByteArray& image, int address);
void PutBlock(QByteArray& image, int address, const TBlock& block);

// What CodeplugFromImage does, with the stand-in for an unreadable frequency-mode receive frequency
// given directly, and `where` naming the place of a block (a memory address or a file offset) in
// error messages. Sets neither Identity nor BandId of `out`. The image must hold layout.ImageSize()
// bytes.
bool DecodeImageBlocks(const QByteArray& image, const ImageLayout& layout, double vfoFallbackLow,
                       Codeplug& out, QString* error, const std::function<QString(int address)>& where);
