#pragma once

#include "LinkDialog.h"

class QLabel;
class WriteOperation;

// Writes the program's data into the radio ("向对讲机写数据"). Every OK sends the data as it stands
// at that moment; the dialog stays open after a write until the user closes it.
class TfWriteRadio : public TfLinkDialog {
    Q_OBJECT
public:
    TfWriteRadio(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    WriteOperation* Writer;

protected:
    void StartLink() override;

private:
    // The refusal of channels outside the band, in the current language.
    QLabel* lOutOfBand = nullptr;
};
