// Arbitrary bytes as a .dat file, the path of `v35ctl dump` and of opening a file: decoding must
// not crash, and whatever it accepts must come back through the JSON form and through a save.
#include "FuzzTables.h"

#include "radiodata/CodeplugJson.h"
#include "radiodata/DatFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzTables tables;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    DatContents contents;
    QString error;
    if (DecodeDatFile(bytes, tables.Models, tables.Bands, std::nullopt, contents, &error) != DatStatus::Ok) {
        if (error.isEmpty())
            Broken("a refused file without a reason");
        return 0;
    }

    // Anything dump prints, build takes back unchanged (an unknown band becomes id 0).
    const QByteArray json = CodeplugToJson(contents.Plug, tables.Bands, contents.Header.DateText);
    Codeplug fromJson;
    if (!CodeplugFromJson(json, tables.Models, tables.Bands, fromJson, &error))
        Broken(qPrintable(QStringLiteral("dump output refused: ") + error));
    Codeplug expected = contents.Plug;
    if (KnownBandText(tables.Bands, expected.BandId).isEmpty())
        expected.BandId = 0;
    if (!(fromJson == expected))
        Broken("dump output built back to other values");

    // Saving those values and opening the file gives them back.
    const QByteArray saved = EncodeDatFile(
        fromJson, *contents.Model, KnownBandText(tables.Bands, fromJson.BandId), contents.Header.DateText);
    DatContents reopened;
    if (DecodeDatFile(saved, tables.Models, tables.Bands, std::nullopt, reopened, &error) != DatStatus::Ok)
        Broken(qPrintable(QStringLiteral("a saved file does not open: ") + error));
    if (!(reopened.Plug == fromJson))
        Broken("a saved file opened to other values");
    return 0;
}
