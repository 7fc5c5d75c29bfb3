#pragma once

#include "LinkDialog.h"

struct Codeplug;
class ReadOperation;

// Reads the radio's memory ("从对讲机读取信息"). The dialog closes by itself after a complete read;
// the main window then takes Result(). A read that failed or was broken off leaves nothing to take.
class TfReadRadio : public TfLinkDialog {
    Q_OBJECT
public:
    TfReadRadio(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    // True only after a complete read.
    bool ReadDone() const;
    // What the radio holds, function settings clamped to their ranges; valid when ReadDone().
    const Codeplug& Result() const;

    ReadOperation* Reader;
};
