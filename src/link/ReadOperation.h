#pragma once

#include "LinkOperation.h"
#include "radiodata/Codeplug.h"

class TFrqList;
class TMacList;
class TMacType;

// Reads the radio's memory. The blocks go into a fresh image; only when every block has arrived
// is it decoded into a fresh Codeplug, which readCompleted hands over. A read that fails or is
// broken off hands over nothing.
class ReadOperation : public LinkOperation {
    Q_OBJECT

public:
    ReadOperation(const TMacList& catalogue, const TFrqList& bands, const TLanguage& messages,
                  Prompter& prompter, QObject* parent = nullptr);

    // True only after a complete read (false again from the next OK).
    bool ReadDone() const { return Done; }
    // The radio's data, function settings clamped to their ranges; valid when ReadDone().
    const Codeplug& Result() const { return Plug; }

signals:
    void readCompleted(const Codeplug& plug);

protected:
    void OnStart() override;
    bool AcceptIdentity(const QByteArray& identity) override;
    QList<Exchange> PrepareTransfer() override;
    void StoreBlock(int address, const QByteArray& block) override;
    bool CompleteTransfer(QString* reason) override;
    void ReportSuccess() override;

private:
    const TMacList& Catalogue;
    const TFrqList& Bands;
    const TMacType* Model = nullptr;
    int BandId = 0;
    QByteArray Image;
    Codeplug Plug;
    bool Done = false;
};
