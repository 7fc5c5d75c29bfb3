#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TfMaindb;
class UiServices;

// Edits the settings the radio uses in its frequency mode: receive frequency, step, sub-tones and
// the transmit offset. Nothing reaches the function settings unless OK is pressed.
class TfFreqModel : public QDialog {
    Q_OBJECT
public:
    TfFreqModel(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    // The dialog of the frequency mode command; true when OK stored the settings.
    static bool Run(TfMaindb& db, UiServices& ui, QWidget* parent);

    void PrepareForm();
    void LoadFromRecord();
    void SaveToRecord();

    // Each takes the text the user has typed; false when it is not a number (the text then goes
    // back to the last value).
    bool cxRxChange();
    bool cxWcplChange();
    void cbwcfxChange();
    void ToneBoxChange(QComboBox* box);
    void ToneBoxDblClick(QComboBox* box);
    void btnOkClick();
    void btnCancelClick();

    // The rules the two frequencies follow, whatever their origin.
    double ReceiveRule(double mhz) const;
    static double OffsetRule(double mhz);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* gbRx;
    QLabel* Label1;
    QLineEdit* cxRx;
    QLabel* Label2;
    QComboBox* cbbjpl;
    QLabel* Label3;
    QComboBox* cbjsyyp;
    QGroupBox* gbTx;
    QLabel* Label5;
    QComboBox* cbfsyyp;
    QLabel* Label6;
    QComboBox* cbwcfx;
    QLabel* Label7;
    QLineEdit* cxWcpl;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // The value typed into `edit`: an empty text counts as 0; a text that is not a number is
    // refused with a message and the edit shows `lastText` again.
    bool TypedValue(QLineEdit* edit, const QString& lastText, double& mhz);

    TfMaindb& Db;
    UiServices& Ui;
    bool Shown = false;
    bool Edited = false;
    QString RxText;
    QString OffsetText;
};
