#pragma once

// Every window of the program, built for the translation checks: its section in the language
// files and whether the translator gives it its drop-down lists. A new window adds its row here.

#include "UiFixture.h"
#include "ui/dialogs/BBatchEdit.h"
#include "ui/dialogs/BInfoEdit.h"
#include "ui/dialogs/EmbeddedMessage.h"
#include "ui/dialogs/FreqModel.h"
#include "ui/dialogs/FrmAbout.h"
#include "ui/dialogs/FunSet.h"
#include "ui/dialogs/Model.h"
#include "ui/dialogs/ReadRadio.h"
#include "ui/dialogs/SetLanguage.h"
#include "ui/dialogs/SetPort.h"
#include "ui/dialogs/TestFrequency.h"
#include "ui/dialogs/ToneOption.h"
#include "ui/dialogs/WriteRadio.h"

#include <QWidget>

#include <functional>
#include <memory>

struct ProgramWindow {
    const char* Section;
    bool TranslateLists;
    std::function<std::unique_ptr<QWidget>(UiFixture&)> Create;
};

inline QList<ProgramWindow> ProgramWindows() {
    return {
        {"fMainFrm", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfMainFrm>(*f.Db, *f.Ui)); }},
        {"fModel", false,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfModel>(*f.Db)); }},
        {"fSetPort", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfSetPort>(*f.Db, *f.Ui)); }},
        {"fSetLanguage", false,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfSetLanguage>(*f.Db)); }},
        {"fToneOption", false,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfToneOption>(*f.Db)); }},
        {"fBInfoEdit", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfBInfoEdit>(*f.Db, *f.Ui)); }},
        {"fBBatchEdit", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfBBatchEdit>(*f.Db, *f.Ui)); }},
        {"fFunSet", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfFunSet>(*f.Db)); }},
        {"fFreqModel", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfFreqModel>(*f.Db, *f.Ui)); }},
        {"fEmbeddedMessage", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfEmbeddedMessage>(*f.Db)); }},
        {"fTestFrequency", true,
         [](UiFixture& f) {
             return std::unique_ptr<QWidget>(std::make_unique<TfTestFrequency>(*f.Db, *f.Ui));
         }},
        {"fFrmAbout", false,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfFrmAbout>(*f.Db)); }},
        {"fReadRadio", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfReadRadio>(*f.Db, *f.Ui)); }},
        {"fWriteRadio", true,
         [](UiFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<TfWriteRadio>(*f.Db, *f.Ui)); }},
    };
}
