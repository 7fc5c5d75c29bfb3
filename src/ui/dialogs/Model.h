#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TfMaindb;

// Chooses the radio model and its band; the main window applies the choice.
class TfModel : public QDialog {
    Q_OBJECT
public:
    TfModel(TfMaindb& db, QWidget* parent = nullptr);

    void FormShow();
    void cbCopmutChange();
    void btnOkClick();
    void btnCancelClick();

    QString SelectedModelName() const;
    QString SelectedBand() const;

    bool Accepted = false;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1;
    QLabel* Label2;
    QComboBox* cbCopmut;
    QComboBox* cbPd;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TfMaindb& Db;
    bool Shown = false;
};
