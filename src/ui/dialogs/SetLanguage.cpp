#include "SetLanguage.h"

#include "app/Maindb.h"
#include "core/SystemSettings.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QStringList SplitLanguageList(const QString& list) {
    QStringList items;
    QString remaining = list;
    while (!remaining.isEmpty()) {
        const int bar = remaining.indexOf(QLatin1Char('|'));
        if (bar < 0) {
            items.append(remaining);
            break;
        }
        items.append(remaining.left(bar));
        remaining = remaining.mid(bar + 1);
    }
    return items;
}

void ListLanguages(const QString& programDir, const QString& languageName, QStringList& displayList,
                   QStringList& fileList) {
    fileList += SplitLanguageList(LoadSystemSettings(programDir).LanguageList);
    displayList += SplitLanguageList(LanguageDisplayList(programDir, languageName));
}

TfSetLanguage::TfSetLanguage(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fSetLanguage"));
    setWindowTitle(QStringLiteral("语言设置"));

    lbName = new QLabel(QStringLiteral("语言模式："), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    SetTag(cbLanguage, -2);
    cbLanguage->addItems({QStringLiteral("中文"), QStringLiteral("英文")});
    cbLanguage->setMinimumWidth(160);
    // The file base names are no texts to translate.
    Language = new QListWidget(this);
    Language->setObjectName(QStringLiteral("Language"));
    SetTag(Language, -2);
    Language->addItems({QStringLiteral("Chinese"), QStringLiteral("English")});
    Language->setVisible(false);

    auto* row = new QHBoxLayout;
    row->addWidget(lbName);
    row->addWidget(cbLanguage, 1);
    auto* buttons = NewOkCancelRow(this, btnOk, btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfSetLanguage::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfSetLanguage::btnCancelClick);
}

void TfSetLanguage::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfSetLanguage::FormShow() {
    const TALL& state = Db.AppState;
    cbLanguage->clear();
    Language->clear();
    QStringList display, files;
    ListLanguages(state.ProgramDir, state.LanguageName, display, files);
    cbLanguage->addItems(display);
    Language->addItems(files);
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, false);
    cbLanguage->setCurrentIndex(state.LanguageIndex < cbLanguage->count() ? state.LanguageIndex : -1);
    Changed = false;
}

void TfSetLanguage::btnOkClick() {
    const int index = cbLanguage->currentIndex();
    TALL& state = Db.AppState;
    // A display name without a file name behind it (lists of different lengths) changes nothing.
    if (index >= 0 && index != state.LanguageIndex && index < Language->count()) {
        Changed = true;
        state.LanguageName = Language->item(index)->text();
        state.LanguageIndex = index;
    }
    accept();
}

void TfSetLanguage::btnCancelClick() {
    reject();
}
