#include "WriteRadio.h"

#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "link/WriteOperation.h"
#include "ui/UiServices.h"

TfWriteRadio::TfWriteRadio(TfMaindb& db, UiServices& ui, QWidget* parent)
    : TfLinkDialog(db, ui, QStringLiteral("fWriteRadio"), QStringLiteral("向对讲机写数据"), parent) {
    Writer = new WriteOperation(db.Catalogue, db.BandList, db.Messages, ui.Prompts, this);
    // The radio starts on its current channel; the program keeps the one the write chose.
    connect(Writer, &WriteOperation::currentChannelAssigned, this,
            [this](int channel) { Db.FunctionSettings.CurrentChannel = channel; });
    SetLink(Writer);
}

void TfWriteRadio::StartLink() {
    Codeplug plug;
    QString error;
    // A cell the radio cannot hold is named before anything is sent: a write that broke off at that
    // channel would leave the radio half old, half new.
    if (!SnapshotCodeplug(Db, plug, &error)) {
        ShowPrompt(Ui.Prompts, Db.Messages.Caution, error, Prompter::Information);
        return;
    }
    Writer->SetCodeplug(plug);
    Writer->start();
}
