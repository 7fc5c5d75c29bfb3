#include "DatFile.h"

#include "ImageLayout.h"
#include "MemoryImage.h"

#include "core/FileIo.h"
#include "core/Values.h"

#include <cmath>

namespace {

// The file skips one block of the radio's gap; everything before the gap sits one record (the
// header) further on, everything from the message blocks on at its memory address.
int FileOffsetOf(const ImageLayout& layout, int address) {
    return address < layout.GapAddress()
               ? address + kDatHeaderSize
               : address + kDatHeaderSize - kBlockSize * (ImageLayout::kGapBlocks - kDatGapRecords);
}

} // namespace

int DatFileSize(const TMacType& model) {
    const ImageLayout layout(model);
    return kDatHeaderSize + layout.ImageSize() - kBlockSize * (ImageLayout::kGapBlocks - kDatGapRecords);
}

qint64 MaxDatFileBytes(const TMacList& catalogue) {
    int largest = kDatHeaderSize;
    for (int i = 0; i < catalogue.Count(); ++i)
        largest = qMax(largest, DatFileSize(*catalogue.GetModel(i)));
    return largest + 64 * kBlockSize;
}

QString DatBandDigits(const QString& bandText) {
    double low = 0.0, high = 0.0;
    if (!ParseBandText(bandText, low, high) || low < 0 || high < 0 || low >= 999.5 || high >= 999.5)
        return QStringLiteral("000000");
    const auto three = [](double v) {
        return QStringLiteral("%1").arg(static_cast<int>(std::floor(v + 0.5)), 3, 10, QLatin1Char('0'));
    };
    return three(low) + three(high);
}

QString IdentityOfHeader(const QString& identityText) {
    return identityText.mid(1).trimmed();
}

QByteArray EncodeDatFile(const Codeplug& plug, const TMacType& model, const QString& bandText,
                         const QString& dateText) {
    const ImageLayout layout(model);
    const QByteArray image = ImageFromCodeplug(plug, model);
    TBlock header;
    TBWriteRead::EncodeFileHeader(header, QStringLiteral("P") + plug.Identity, DatBandDigits(bandText),
                                  dateText);
    QByteArray file(reinterpret_cast<const char*>(header.data()), kDatHeaderSize);
    file += image.left(layout.GapAddress());
    file += QByteArray(kBlockSize * kDatGapRecords, char(0xFF));
    file += image.mid(layout.MessageAddress(0));
    return file;
}

DatStatus DecodeDatFile(const QByteArray& bytes, const TMacList& catalogue, const TFrqList& bands,
                        std::optional<double> vfoFallbackLow, DatContents& out, QString* error,
                        DatProblem* problem) {
    DatProblem found;
    const auto fail = [&](DatStatus status, const QString& text) {
        if (error)
            *error = text;
        if (problem)
            *problem = found;
        return status;
    };
    found.Bytes = bytes.size();
    if (bytes.size() < kDatHeaderSize) {
        found.Expected = kDatHeaderSize;
        return fail(
            DatStatus::TooShort,
            QStringLiteral("the file holds %1 bytes, less than its 16-byte header").arg(bytes.size()));
    }
    DatContents contents;
    TBlock header;
    for (int i = 0; i < kDatHeaderSize; ++i)
        header[static_cast<size_t>(i)] = static_cast<quint8>(bytes.at(i));
    TBWriteRead::DecodeFileHeader(header, contents.Header.IdentityText, contents.Header.BandText,
                                  contents.Header.DateText);
    const QString identity = IdentityOfHeader(contents.Header.IdentityText);
    contents.Model = catalogue.FindByIdentity(identity);
    if (!contents.Model) {
        // The header's bytes may be anything, terminal escapes included.
        found.Identity = ReadableText(identity, 16);
        return fail(DatStatus::UnknownModel,
                    QStringLiteral("the file is for the model \"%1\", which is not in the catalogue")
                        .arg(found.Identity));
    }
    const TMacType& model = *contents.Model;
    const int size = DatFileSize(model);
    if (bytes.size() < size) {
        found.Expected = size;
        return fail(DatStatus::TooShort, QStringLiteral("the file holds %1 bytes; a %2 file has %3")
                                             .arg(bytes.size())
                                             .arg(model.Identity)
                                             .arg(size));
    }

    const ImageLayout layout(model);
    QByteArray image = bytes.mid(kDatHeaderSize, layout.GapAddress());
    image += QByteArray(kBlockSize * ImageLayout::kGapBlocks, char(0xFF));
    image += bytes.mid(FileOffsetOf(layout, layout.MessageAddress(0)),
                       layout.ImageSize() - layout.MessageAddress(0));

    contents.FileBandId = TBWriteRead::BandIdOfBandBlock(BlockAt(image, layout.BandAddress()));
    double low = 0.0;
    if (vfoFallbackLow) {
        low = *vfoFallbackLow;
    } else {
        double high = 0.0;
        ParseBandText(bands.BandTextOf(contents.FileBandId), low, high);
    }
    QString detail;
    const auto where = [&](int address) {
        found.FileOffset = FileOffsetOf(layout, address);
        return QStringLiteral("file offset ") + HexAddress(found.FileOffset);
    };
    if (!DecodeImageBlocks(image, layout, low, contents.Plug, &detail, where))
        return fail(DatStatus::Undecodable, detail);
    contents.Plug.Identity = model.Identity;
    contents.Plug.BandId = contents.FileBandId;
    out = contents;
    return DatStatus::Ok;
}
