#include "ReadRadio.h"

#include "app/Maindb.h"
#include "link/ReadOperation.h"
#include "ui/UiServices.h"

TfReadRadio::TfReadRadio(TfMaindb& db, UiServices& ui, QWidget* parent)
    : TfLinkDialog(db, ui, QStringLiteral("fReadRadio"), QStringLiteral("从对讲机读取信息"), parent) {
    Reader = new ReadOperation(db.Catalogue, db.BandList, db.Messages, ui.Prompts, this);
    SetLink(Reader);
}

bool TfReadRadio::ReadDone() const {
    return Reader->ReadDone();
}

const Codeplug& TfReadRadio::Result() const {
    return Reader->Result();
}
