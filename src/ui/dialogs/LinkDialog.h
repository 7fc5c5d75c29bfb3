#pragma once

#include <QDialog>

class LinkOperation;
class QProgressBar;
class QPushButton;
class TfMaindb;
class UiServices;

// What the read and write dialogs share: a progress bar and two buttons over a link operation,
// which does all the talking to the radio on the window's own thread, so the dialog answers at any
// moment. The port opens when the dialog is shown and closes with it; closing the dialog in the
// middle of an exchange sends the end command, so the radio leaves its programming mode.
class TfLinkDialog : public QDialog {
    Q_OBJECT
public:
    void FormShow();
    void btnOkClick();
    void btnCancelClick();

protected:
    TfLinkDialog(TfMaindb& db, UiServices& ui, const QString& name, const QString& caption, QWidget* parent);

    // The operation behind the dialog, created by the subclass with the dialog as its parent.
    void SetLink(LinkOperation* link);
    // OK: a new attempt from the handshake.
    virtual void StartLink();

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    TfMaindb& Db;
    UiServices& Ui;
    LinkOperation* Link = nullptr;

private:
    QProgressBar* pBar;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    void OpenLinkPort();
    void ShowProgress(int position, int maximum);

    bool Shown = false;
};
