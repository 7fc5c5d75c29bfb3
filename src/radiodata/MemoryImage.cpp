#include "MemoryImage.h"

#include "ImageLayout.h"

#include "core/Values.h"

static_assert(kImageSize == 16 * (128 + 74), "the V35 image spans 202 blocks");

TBlock BlockAt(const QByteArray& image, int address) {
    TBlock block;
    for (int i = 0; i < kBlockSize; ++i)
        block[static_cast<size_t>(i)] = static_cast<quint8>(image.at(address + i));
    return block;
}

void PutBlock(QByteArray& image, int address, const TBlock& block) {
    for (int i = 0; i < kBlockSize; ++i)
        image[address + i] = static_cast<char>(block[static_cast<size_t>(i)]);
}

QList<int> ReadBlockAddresses(const TMacType& model) {
    const ImageLayout layout(model);
    QList<int> addresses;
    for (int k = 1; k <= layout.ChannelCount; ++k)
        addresses << layout.ChannelAddress(k);
    // The band block is read but not decoded; the bitmaps and the model block are not read.
    addresses << layout.BandAddress() << layout.FlagAddress() << layout.AniAddress() << layout.NameAddress();
    for (int half = 0; half < 4; ++half)
        addresses << layout.MessageAddress(half);
    addresses << layout.SettingsAddress() << layout.VfoAddress();
    return addresses;
}

QList<int> WriteBlockAddresses(const TMacType& model) {
    const ImageLayout layout(model);
    QList<int> addresses;
    for (int k = 1; k <= layout.ChannelCount; ++k)
        addresses << layout.ChannelAddress(k);
    addresses << layout.BandAddress() << layout.FlagAddress() << layout.AniAddress() << layout.NameAddress();
    for (int half = 0; half < 4; ++half)
        addresses << layout.MessageAddress(half);
    if (layout.HasBitmaps())
        for (int i = 0; i < 4; ++i)
            addresses << layout.BitmapAddress(i);
    addresses << layout.ModelAddress() << layout.SettingsAddress() << layout.VfoAddress();
    return addresses;
}

QByteArray ImageFromCodeplug(const Codeplug& plug, const TMacType& model) {
    const ImageLayout layout(model);
    QByteArray image(layout.ImageSize(), static_cast<char>(0xFF));
    TBlock block;
    QString usedBits, scanBits;
    for (int k = 1; k <= layout.ChannelCount; ++k) {
        const auto it = plug.Channels.find(k);
        if (it != plug.Channels.end()) {
            TBWriteRead::EncodeChannel(block, it->second);
            usedBits += QLatin1Char('1');
            scanBits += it->second.ScanAdd == 1 ? QLatin1Char('1') : QLatin1Char('0');
        } else {
            TBWriteRead::FillBlank(block);
            usedBits += QLatin1Char('0');
            scanBits += QLatin1Char('0');
        }
        PutBlock(image, layout.ChannelAddress(k), block);
    }
    TBWriteRead::EncodeBandBlock(block, plug.BandId);
    PutBlock(image, layout.BandAddress(), block);
    TBWriteRead::EncodeFlagBlock(block, plug.Functions);
    PutBlock(image, layout.FlagAddress(), block);
    TBWriteRead::EncodeAniBlock(block, plug.Functions);
    PutBlock(image, layout.AniAddress(), block);
    TBWriteRead::EncodeNameBlock(block, plug.Functions);
    PutBlock(image, layout.NameAddress(), block);
    const QString halves[4] = {
        plug.Message.LineA.left(kHalfLineLength), plug.Message.LineA.mid(kHalfLineLength, kHalfLineLength),
        plug.Message.LineB.left(kHalfLineLength), plug.Message.LineB.mid(kHalfLineLength, kHalfLineLength)};
    for (int half = 0; half < 4; ++half) {
        TBWriteRead::EncodeTextBlock(block, halves[half]);
        PutBlock(image, layout.MessageAddress(half), block);
    }
    if (layout.HasBitmaps()) {
        const QString bitmaps[4] = {usedBits.left(128), usedBits.mid(128, 128), scanBits.left(128),
                                    scanBits.mid(128, 128)};
        for (int i = 0; i < 4; ++i) {
            TBWriteRead::EncodeBitsBlock(block, bitmaps[i]);
            PutBlock(image, layout.BitmapAddress(i), block);
        }
    }
    TBWriteRead::EncodeModelBlock(block, plug.Identity, plug.BandId);
    PutBlock(image, layout.ModelAddress(), block);
    TBWriteRead::EncodeSettingsBlock(block, plug.Functions);
    PutBlock(image, layout.SettingsAddress(), block);
    TBWriteRead::EncodeVfoBlock(block, plug.Functions);
    PutBlock(image, layout.VfoAddress(), block);
    return image;
}

bool DecodeImageBlocks(const QByteArray& image, const ImageLayout& layout, double vfoFallbackLow,
                       Codeplug& out, QString* error, const std::function<QString(int address)>& where) {
    if (image.size() < layout.ImageSize()) {
        if (error)
            *error = QStringLiteral("the memory image holds %1 bytes; %2 are needed")
                         .arg(image.size())
                         .arg(layout.ImageSize());
        return false;
    }
    const auto fail = [&](const QString& what, int address, const QString& detail) {
        if (error)
            *error = QStringLiteral("%1 (%2): %3").arg(what, where(address), detail);
        return false;
    };
    Codeplug plug = out;
    plug.Channels.clear();
    plug.Functions = TFun{};
    plug.Message = TEnMsg{};
    QString detail;
    for (int k = 1; k <= layout.ChannelCount; ++k) {
        const int address = layout.ChannelAddress(k);
        ChannelValues values;
        switch (TBWriteRead::DecodeChannel(BlockAt(image, address), values, &detail)) {
        case TBWriteRead::ChannelState::InUse:
            plug.Channels[k] = values;
            break;
        case TBWriteRead::ChannelState::NotInUse:
            break;
        case TBWriteRead::ChannelState::Undecodable:
            return fail(QStringLiteral("channel %1").arg(k), address, detail);
        }
    }
    TBWriteRead::DecodeFlagBlock(BlockAt(image, layout.FlagAddress()), plug.Functions);
    TBWriteRead::DecodeAniBlock(BlockAt(image, layout.AniAddress()), plug.Functions);
    TBWriteRead::DecodeNameBlock(BlockAt(image, layout.NameAddress()), plug.Functions);
    QString halves[4];
    for (int half = 0; half < 4; ++half)
        halves[half] = TBWriteRead::DecodeTextBlock(BlockAt(image, layout.MessageAddress(half)));
    plug.Message.LineA = halves[0] + halves[1];
    plug.Message.LineB = halves[2] + halves[3];
    TBWriteRead::DecodeSettingsBlock(BlockAt(image, layout.SettingsAddress()), plug.Functions);
    if (!TBWriteRead::DecodeVfoBlock(BlockAt(image, layout.VfoAddress()), plug.Functions, vfoFallbackLow,
                                     &detail))
        return fail(QStringLiteral("frequency-mode block"), layout.VfoAddress(), detail);
    out = plug;
    return true;
}

bool CodeplugFromImage(const QByteArray& image, const TMacType& model, const TFrqList& bands, int bandId,
                       Codeplug& out, QString* error) {
    double low = 0.0, high = 0.0;
    ParseBandText(bands.BandTextOf(bandId), low, high);
    Codeplug plug;
    const auto address = [](int a) { return QStringLiteral("address ") + HexAddress(a); };
    if (!DecodeImageBlocks(image, ImageLayout(model), low, plug, error, address))
        return false;
    plug.Identity = model.Identity;
    plug.BandId = bandId;
    out = plug;
    return true;
}
