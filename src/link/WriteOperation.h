#pragma once

#include "LinkOperation.h"
#include "radiodata/Codeplug.h"

class TFrqList;
class TMacList;
class TMacType;

// Writes a codeplug into the radio. OK takes a snapshot of the data given last, so that what is
// sent is what was there when the write started.
class WriteOperation : public LinkOperation {
    Q_OBJECT

public:
    WriteOperation(const TMacList& catalogue, const TFrqList& bands, const TLanguage& messages,
                   Prompter& prompter, QObject* parent = nullptr);

    // The program's data. Its band must be the radio's (unless the radio is blank).
    void SetCodeplug(const Codeplug& plug);
    const Codeplug& Data() const { return Plug; }

signals:
    // The radio needs a current channel: CurrentChannel 0 became the first channel in use. The
    // program keeps the new value.
    void currentChannelAssigned(int channel);

protected:
    void OnStart() override;
    bool AcceptIdentity(const QByteArray& identity) override;
    QList<Exchange> PrepareTransfer() override;
    QByteArray BlockToWrite(int address) const override;
    bool CompleteTransfer(QString* reason) override;
    void ReportSuccess() override;
    void OnRunFailed() override;

private:
    const TMacList& Catalogue;
    const TFrqList& Bands;
    const TMacType* Model = nullptr;
    const TMacType* SnapshotModel = nullptr;
    Codeplug Plug;
    Codeplug Snapshot;
    QByteArray Image;
};
