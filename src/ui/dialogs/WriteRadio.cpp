#include "WriteRadio.h"

#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/Values.h"
#include "link/WriteOperation.h"
#include "ui/ChannelModel.h"
#include "ui/UiServices.h"

#include <QLabel>

TfWriteRadio::TfWriteRadio(TfMaindb& db, UiServices& ui, QWidget* parent)
    : TfLinkDialog(db, ui, QStringLiteral("fWriteRadio"), QStringLiteral("向对讲机写数据"), parent) {
    Writer = new WriteOperation(db.Catalogue, db.BandList, db.Messages, ui.Prompts, this);
    // The radio starts on its current channel; the program keeps the one the write chose.
    connect(Writer, &WriteOperation::currentChannelAssigned, this,
            [this](int channel) { Db.FunctionSettings.CurrentChannel = channel; });
    SetLink(Writer);
    // "%1" and "%2" are the lowest and highest frequency of the band's range, "%3" the channels.
    lOutOfBand =
        new QLabel(QStringLiteral("以下信道的频率超出本频段可用的范围 %1 - %2 MHz，不能写入：%3"), this);
    lOutOfBand->setObjectName(QStringLiteral("lOutOfBand"));
    lOutOfBand->setVisible(false);
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
    // A file, JSON or a read from another radio can bring frequencies this band cannot use; the
    // radio would take them and then not work on those channels.
    const QList<int> outside = ChannelModel::ChannelsOutsideBand(Db.MainTable, Db.AppState);
    if (!outside.isEmpty()) {
        QStringList numbers;
        for (const int k : outside)
            numbers.append(QString::number(k));
        ShowPrompt(Ui.Prompts, Db.Messages.Caution,
                   lOutOfBand->text().arg(FormatFrequency(ChannelModel::AcceptedLow(Db.AppState)),
                                          FormatFrequency(ChannelModel::AcceptedHigh(Db.AppState)),
                                          numbers.join(QStringLiteral(", "))),
                   Prompter::Information);
        return;
    }
    Writer->SetCodeplug(plug);
    Writer->start();
}
