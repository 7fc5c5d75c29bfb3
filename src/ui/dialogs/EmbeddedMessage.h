#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TfMaindb;
class UiServices;

// Edits the two lines of the message the radio shows.
class TfEmbeddedMessage : public QDialog {
    Q_OBJECT
public:
    explicit TfEmbeddedMessage(TfMaindb& db, QWidget* parent = nullptr);

    // The dialog of the embedded message command; true when OK stored the lines.
    static bool Run(TfMaindb& db, UiServices& ui, QWidget* parent);

    void FormShow();
    void btnOkClick();
    void btnCancelClick();

    // What a message line may hold: letters A-Z and a-z, digits and the blank.
    static bool IsMessageCharacter(QChar c);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lbLineA;
    QLineEdit* edEMA;
    QLabel* lbLineB;
    QLineEdit* edEMB;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TfMaindb& Db;
    bool Shown = false;
};
