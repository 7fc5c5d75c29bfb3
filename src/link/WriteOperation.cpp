#include "WriteOperation.h"

#include "Identity.h"
#include "core/MacType.h"
#include "lang/Language.h"
#include "radiodata/MemoryImage.h"
#include "wire/WireBytes.h"

namespace {

int ProgressMaximumFor(const TMacType& model) {
    return model.ChannelCount > 16 ? model.ChannelCount + 10 : model.ChannelCount + 6;
}

} // namespace

WriteOperation::WriteOperation(const TMacList& catalogue, const TFrqList& bands, const TLanguage& messages,
                               Prompter& prompter, QObject* parent)
    : LinkOperation(messages, prompter, false, parent), Catalogue(catalogue), Bands(bands) {
    SetCodeplug(Codeplug());
}

void WriteOperation::SetCodeplug(const Codeplug& plug) {
    Plug = plug;
    Model = Catalogue.FindByIdentity(plug.Identity);
    if (Model)
        SetMaximum(ProgressMaximumFor(*Model));
}

void WriteOperation::OnStart() {
    Snapshot = Plug;
    SnapshotModel = Model;
}

bool WriteOperation::AcceptIdentity(const QByteArray& identity) {
    if (!SnapshotModel) {
        ShowErrorOnce(Messages.ModError,
                      QStringLiteral("the data to write is for model '%1', which the catalogue does not know")
                          .arg(Snapshot.Identity));
        return false;
    }
    switch (CheckWriteIdentity(identity, *SnapshotModel, Snapshot.BandId)) {
    case WriteIdentity::Accepted:
        return true;
    case WriteIdentity::WrongModel:
        ShowErrorOnce(Messages.ModError, QStringLiteral("the radio on %1 reports the identity %2, not a %3")
                                             .arg(PortText(), HexBytes(identity), SnapshotModel->Identity));
        return false;
    case WriteIdentity::WrongBand: {
        const int radioBand = static_cast<quint8>(identity.at(5));
        ShowErrorOnce(Messages.FrqError,
                      QStringLiteral("the radio on %1 has band %2 (%3), the data is for band %4 (%5)")
                          .arg(PortText())
                          .arg(radioBand)
                          .arg(Bands.BandIdOf(Bands.BandTextOf(radioBand)) == radioBand
                                   ? Bands.BandTextOf(radioBand).trimmed()
                                   : QStringLiteral("unknown"))
                          .arg(Snapshot.BandId)
                          .arg(Bands.BandTextOf(Snapshot.BandId).trimmed()));
        return false;
    }
    }
    return false;
}

QList<LinkOperation::Exchange> WriteOperation::PrepareTransfer() {
    SetMaximum(ProgressMaximumFor(*SnapshotModel));
    // The radio starts on its current channel, so it must name one in use.
    if (Snapshot.Functions.CurrentChannel == 0 && !Snapshot.Channels.empty()) {
        const int first = Snapshot.Channels.begin()->first;
        Snapshot.Functions.CurrentChannel = first;
        Plug.Functions.CurrentChannel = first;
        emit currentChannelAssigned(first);
    }
    Image = ImageFromCodeplug(Snapshot, *SnapshotModel);
    QList<Exchange> list{{Exchange::Ack, -1, false}};
    for (const int address : WriteBlockAddresses(*SnapshotModel))
        list.append({Exchange::Write, address, true});
    return list;
}

QByteArray WriteOperation::BlockToWrite(int address) const {
    return Image.mid(address, kBlockSize);
}

bool WriteOperation::CompleteTransfer(QString*) {
    return true;
}

void WriteOperation::ReportSuccess() {
    ShowInformation(Messages.WriteOk);
    SetPosition(0);
    SetOkEnabled(true);
    EmitFinished(true);
}

void WriteOperation::OnRunFailed() {
    SetOkEnabled(true);
}
