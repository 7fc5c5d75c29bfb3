#include "ReadOperation.h"

#include "Identity.h"
#include "core/MacType.h"
#include "lang/Language.h"
#include "radiodata/FunctionSettings.h"
#include "radiodata/MemoryImage.h"
#include "wire/WireBytes.h"

ReadOperation::ReadOperation(const TMacList& catalogue, const TFrqList& bands, const TLanguage& messages,
                             Prompter& prompter, QObject* parent)
    : LinkOperation(messages, prompter, true, parent), Catalogue(catalogue), Bands(bands) {
    if (const TMacType* first = Catalogue.GetModel(0))
        SetMaximum(first->ChannelCount + 8);
}

void ReadOperation::OnStart() {
    Done = false;
}

bool ReadOperation::AcceptIdentity(const QByteArray& identity) {
    const ReadIdentity id = CheckReadIdentity(identity, Catalogue, Bands);
    if (!id.Accepted) {
        ShowErrorOnce(Messages.ModError,
                      QStringLiteral("the radio on %1 reports the identity %2, which names no known model")
                          .arg(PortText(), HexBytes(identity)));
        return false;
    }
    Model = id.Model;
    BandId = id.BandId;
    return true;
}

QList<LinkOperation::Exchange> ReadOperation::PrepareTransfer() {
    SetMaximum(Model->ChannelCount + 8);
    Image = QByteArray(kImageSize, '\xFF');
    QList<Exchange> list{{Exchange::Ack, -1, false}};
    for (const int address : ReadBlockAddresses(*Model)) {
        list.append({Exchange::Read, address, false});
        list.append({Exchange::Ack, address, true});
    }
    return list;
}

void ReadOperation::StoreBlock(int address, const QByteArray& block) {
    if (address >= 0 && address + block.size() <= Image.size())
        Image.replace(address, block.size(), block);
}

bool ReadOperation::CompleteTransfer(QString* reason) {
    Codeplug plug;
    QString error;
    if (!CodeplugFromImage(Image, *Model, Bands, BandId, plug, &error)) {
        *reason =
            QStringLiteral("the data read from the radio on %1 cannot be decoded: %2").arg(PortText(), error);
        return false;
    }
    ClampFunctionSettings(plug.Functions);
    Plug = plug;
    return true;
}

void ReadOperation::ReportSuccess() {
    Done = true;
    ShowInformation(Messages.ReadOk);
    emit readCompleted(Plug);
    EmitFinished(true);
    StartCloseTimer();
}
