#include "CodeplugFiles.h"

#include "core/FileIo.h"
#include "radiodata/CodeplugJson.h"
#include "radiodata/DatFile.h"

#include <QDateTime>
#include <QDir>

namespace {

QString Named(const QString& path, const QString& what) {
    return ReadableText(QDir::toNativeSeparators(path), 256) + QStringLiteral(": ") + what;
}

bool Fail(QString* error, const QString& path, const QString& what) {
    if (error)
        *error = Named(path, what);
    return false;
}

} // namespace

CodeplugTables::CodeplugTables() {
    RegisterBands(Bands);
    RegisterModels(Catalogue);
}

const CodeplugTables& Tables() {
    static const CodeplugTables tables;
    return tables;
}

bool IsJsonPath(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

bool IsHeaderDate(const QString& text) {
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm");
    const QDateTime when = QDateTime::fromString(text, format);
    return when.isValid() && when.toString(format) == text;
}

bool ReadCodeplugFile(const QString& path, CodeplugFile& out, QString* error, CodeplugFormat format) {
    const bool json =
        format == CodeplugFormat::Json || (format == CodeplugFormat::ByExtension && IsJsonPath(path));
    const qint64 limit = json ? kMaxCodeplugJsonBytes : MaxDatFileBytes(Tables().Catalogue);
    QByteArray bytes;
    const FileResult read = ReadFileLimited(path, limit, bytes);
    if (!read) {
        if (error)
            *error = DescribeFileResult(path, read, limit);
        return false;
    }
    QString what;
    CodeplugFile result;
    if (json) {
        if (!CodeplugFromJson(bytes, Tables().Catalogue, Tables().Bands, result.Plug, &what))
            return Fail(error, path, what);
    } else {
        DatContents contents;
        if (DecodeDatFile(bytes, Tables().Catalogue, Tables().Bands, std::nullopt, contents, &what) !=
            DatStatus::Ok)
            return Fail(error, path, what);
        result.Plug = contents.Plug;
        result.SavedText = contents.Header.DateText;
    }
    out = result;
    return true;
}

bool WriteCodeplugFile(const QString& path, const Codeplug& plug, const QString& dateText, QString* error) {
    QByteArray bytes;
    if (IsJsonPath(path)) {
        bytes = CodeplugToJson(plug, Tables().Bands, dateText);
    } else {
        const TMacType* model = Tables().Catalogue.FindByIdentity(plug.Identity);
        if (!model)
            return Fail(error, path,
                        QStringLiteral("the model \"%1\" is not in the catalogue").arg(plug.Identity));
        bytes = EncodeDatFile(plug, *model, KnownBandText(Tables().Bands, plug.BandId), dateText);
    }
    const FileResult written = WriteFileAtomically(path, bytes);
    if (!written)
        return Fail(error, path, written.Reason);
    return true;
}
