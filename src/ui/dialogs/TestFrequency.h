#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class TestFrequencyDelegate;
class TfMaindb;
class UiServices;

// Edits the sixteen receive and transmit frequencies of the radio's test mode.
class TfTestFrequency : public QDialog {
    Q_OBJECT
public:
    TfTestFrequency(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    // The dialog of the test frequency command; true when OK stored the table.
    static bool Run(TfMaindb& db, UiServices& ui, QWidget* parent);

    void FormShow();
    // Checks a text the user commits into a frequency cell and gives the text to store, or
    // nothing when the text is refused (the cell then keeps its text).
    std::optional<QString> gvDataSetForeText(int column, const QString& text, int row);
    void btnOkClick();
    void btnCancelClick();

    // Grid columns (the channel number, then the two frequencies) and the rows of the 16 channels.
    enum Column { ChannelNo = 0, RxFreq = 1, TxFreq = 2 };

    bool Changed = false;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QTableWidget* gvData;
    QLabel* Label1; // the reminder, kept here so that it is translated with the window
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TfMaindb& Db;
    UiServices& Ui;
    TestFrequencyDelegate* Delegate;
    bool Shown = false;
};
