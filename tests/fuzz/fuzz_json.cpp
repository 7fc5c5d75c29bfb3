// Arbitrary bytes as the JSON form, the path of `v35ctl build`: reading must not crash, and
// whatever it accepts must be written to a file that opens again and saves to the same bytes.
#include "FuzzTables.h"

#include "radiodata/CodeplugJson.h"
#include "radiodata/DatFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzTables tables;
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Codeplug plug;
    QString error;
    if (!CodeplugFromJson(json, tables.Models, tables.Bands, plug, &error)) {
        if (error.isEmpty())
            Broken("refused JSON without a reason");
        return 0;
    }
    const TMacType* model = tables.Models.FindByIdentity(plug.Identity);
    if (!model)
        Broken("accepted a model that is not in the catalogue");
    const QString date = QStringLiteral("2026-12-09 15:24");
    const QByteArray file = EncodeDatFile(plug, *model, KnownBandText(tables.Bands, plug.BandId), date);
    if (file.size() != DatFileSize(*model))
        Broken("a file of the wrong size");
    DatContents opened;
    if (DecodeDatFile(file, tables.Models, tables.Bands, std::nullopt, opened, &error) != DatStatus::Ok)
        Broken(qPrintable(QStringLiteral("a built file does not open: ") + error));
    if (EncodeDatFile(opened.Plug, *model, KnownBandText(tables.Bands, opened.Plug.BandId), date) != file)
        Broken("a built file opened and saved again differs");

    // The JSON written for those values reads back as the same values.
    Codeplug again;
    if (!CodeplugFromJson(CodeplugToJson(opened.Plug, tables.Bands, date), tables.Models, tables.Bands, again,
                          &error) ||
        !(again == opened.Plug))
        Broken("the JSON form of a built file does not read back");
    return 0;
}
