#include "LinkDialog.h"

#include "app/Maindb.h"
#include "link/LinkOperation.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfLinkDialog::TfLinkDialog(TfMaindb& db, UiServices& ui, const QString& name, const QString& caption,
                           QWidget* parent)
    : QDialog(parent), Db(db), Ui(ui) {
    setObjectName(name);
    setWindowTitle(caption);

    pBar = new QProgressBar(this);
    pBar->setObjectName(QStringLiteral("pBar"));
    pBar->setRange(0, 0);
    pBar->setValue(0);
    pBar->setMinimumWidth(320);
    btnOk = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnOk->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pBar);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfLinkDialog::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfLinkDialog::btnCancelClick);
}

void TfLinkDialog::SetLink(LinkOperation* link) {
    Link = link;
    connect(Link, &LinkOperation::progress, this, &TfLinkDialog::ShowProgress);
    connect(Link, &LinkOperation::okEnabledChanged, btnOk, &QPushButton::setEnabled);
    connect(Link, &LinkOperation::closeRequested, this,
            [this] { done(Link->Succeeded() ? QDialog::Accepted : QDialog::Rejected); });
    ShowProgress(Link->Position(), Link->Maximum());
    btnOk->setEnabled(Link->OkEnabled());
}

void TfLinkDialog::ShowProgress(int position, int maximum) {
    pBar->setRange(0, maximum);
    pBar->setValue(position);
}

void TfLinkDialog::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfLinkDialog::FormShow() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    // Once the dialog is on the screen, so that a port that cannot be opened is reported over it.
    QTimer::singleShot(0, this, &TfLinkDialog::OpenLinkPort);
}

void TfLinkDialog::OpenLinkPort() {
    if (!isVisible())
        return;
    Ui.ConnectLink(*Link, Db.AppState.PortName);
    // A failure is reported by the operation, which then asks the dialog to close.
    Link->OpenPort();
}

void TfLinkDialog::btnOkClick() {
    StartLink();
}

void TfLinkDialog::StartLink() {
    Link->start();
}

void TfLinkDialog::btnCancelClick() {
    Link->cancel();
}

void TfLinkDialog::done(int result) {
    // Cancel, Escape and the window's close button all come here.
    Link->close();
    QDialog::done(result);
}
