#include "DatCommands.h"

#include "Maindb.h"

#include "core/FileIo.h"
#include "core/Prompt.h"
#include "core/Values.h"
#include "radiodata/DatFile.h"
#include "radiodata/WriteRead.h"

#include <QDir>

namespace {

// The reason on its own line in the user's language, the file name on the next.
QString Named(const QString& fileName, const QString& what) {
    return what + QLatin1Char('\n') + ReadableText(QDir::toNativeSeparators(fileName), 256);
}

QString ReadFailure(const TLanguage& m, const FileResult& r) {
    switch (r.Fault) {
    case FileFault::NotRegular:
        return m.FileNotRegular;
    case FileFault::TooLarge:
        return m.FileTooLarge;
    default:
        return MessageWith(m.FileReadError, r.Reason);
    }
}

} // namespace

bool SnapshotCodeplug(const TfMaindb& db, Codeplug& plug, QString* error) {
    Codeplug p;
    p.Identity = db.AppState.RadioIdentity;
    p.BandId = db.BandList.BandIdOf(db.AppState.BandName);
    for (int k = 1; k <= db.MainTable.RowCount(); ++k) {
        if (!db.MainTable.IsChannelInUse(k))
            continue;
        ChannelValues values;
        if (!db.MainTable.GetChannelValues(k, values, error))
            return false;
        p.Channels[k] = values;
    }
    p.Functions = db.FunctionSettings;
    p.Message = db.EmbeddedMessage;
    plug = p;
    return true;
}

bool ApplyReadCodeplug(TfMaindb& db, const Codeplug& plug, QString* error) {
    TMacType* model = db.Catalogue.FindByIdentity(plug.Identity);
    if (!model) {
        if (error)
            *error = QStringLiteral("the model \"%1\" is not in the catalogue").arg(plug.Identity);
        return false;
    }
    TALL& state = db.AppState;
    SelectModel(state, model);
    state.RadioIdentity = plug.Identity;
    ApplyBandName(state, db.BandList.BandTextOf(plug.BandId));

    db.StagingTable.PrepareStagingTable(state.ChannelCount);
    for (const auto& [k, values] : plug.Channels)
        db.StagingTable.PutDecodedChannel(k, values);
    db.FunctionSettings = plug.Functions;
    ClampFunctionSettings(db.FunctionSettings);
    db.EmbeddedMessage = plug.Message;
    state.Modified = true;

    db.MainTable.ResetChannelTable(state.ChannelCount);
    db.MainTable.CopyStagingToMain(db.StagingTable);
    return true;
}

bool SaveDatFile(TfMaindb& db, const QString& fileName, SaveMode mode, Prompter& prompter,
                 const QDateTime& when) {
    if (mode != SaveMode::CurrentName && mode != SaveMode::ChosenName)
        return false;
    TALL& state = db.AppState;
    // The caption of every other file failure.
    const auto fail = [&](const QString& what) {
        ShowPrompt(prompter, db.Messages.Confirmation, Named(fileName, what), Prompter::Information);
        return false;
    };
    if (!state.Model)
        return fail(QStringLiteral("no model is selected"));
    Codeplug plug;
    QString error;
    if (!SnapshotCodeplug(db, plug, &error))
        return fail(error);

    state.ChannelUsedBits.clear();
    state.ScanAddBits.clear();
    for (int k = 1; k <= state.Model->ChannelCount; ++k) {
        const auto it = plug.Channels.find(k);
        const bool used = it != plug.Channels.end();
        state.ChannelUsedBits += used ? QLatin1Char('1') : QLatin1Char('0');
        state.ScanAddBits += used && it->second.ScanAdd == 1 ? QLatin1Char('1') : QLatin1Char('0');
    }

    const QByteArray bytes =
        EncodeDatFile(plug, *state.Model, state.BandName, when.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    const FileResult written = WriteFileAtomically(fileName, bytes);
    if (!written)
        return fail(MessageWith(db.Messages.FileSaveError, written.Reason));
    state.Modified = false;
    return true;
}

bool OpenDatFile(TfMaindb& db, QString& fileName, Prompter& prompter) {
    TALL& state = db.AppState;
    const QString path = fileName;
    const auto fail = [&](const QString& text) {
        fileName.clear();
        ShowPrompt(prompter, db.Messages.Confirmation, text, Prompter::Information);
        return false;
    };
    QByteArray bytes;
    const FileResult read = ReadFileLimited(path, MaxDatFileBytes(db.Catalogue), bytes);
    if (!read)
        return fail(Named(path, ReadFailure(db.Messages, read)));

    // The frequency mode falls back to the current band, which opening a file does not change.
    double low = 0.0, high = 0.0;
    ParseBandText(state.BandName, low, high);
    DatContents contents;
    DatProblem problem;
    const TLanguage& m = db.Messages;
    switch (DecodeDatFile(bytes, db.Catalogue, db.BandList, low, contents, nullptr, &problem)) {
    case DatStatus::Ok:
        break;
    case DatStatus::TooShort:
        return fail(m.ModError + QLatin1Char('\n') +
                    Named(path, MessageWith(m.FileTooShort, QString::number(problem.Bytes),
                                            QString::number(problem.Expected))));
    case DatStatus::UnknownModel:
        return fail(m.ModError + QLatin1Char('\n') +
                    Named(path, MessageWith(m.FileUnknownModel, problem.Identity)));
    case DatStatus::Undecodable:
        return fail(Named(path, MessageWith(m.FileUndecodable, HexAddress(problem.FileOffset))));
    }

    TMacType* model = db.Catalogue.FindByIdentity(contents.Model->Identity);
    state.FileTime = contents.Header.DateText;
    SelectModel(state, model);
    db.MainTable.ResetChannelTable(state.ChannelCount);
    for (const auto& [k, values] : contents.Plug.Channels)
        db.MainTable.PutLoadedChannel(k, values);
    db.FunctionSettings = contents.Plug.Functions;
    db.EmbeddedMessage = contents.Plug.Message;
    ApplyBandName(state, state.BandName);
    state.Modified = false;
    return true;
}
