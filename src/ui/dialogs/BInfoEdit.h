#pragma once

#include <QDialog>

class ChannelTable;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;
class TfMaindb;
class UiServices;

// Edits one channel of the main channel table at a time; the spin box steps through the channels.
// Every accepted change is stored into the table at once, so there is no OK or Cancel.
class TfBInfoEdit : public QDialog {
    Q_OBJECT
public:
    TfBInfoEdit(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    // The dialog of the channel edit command, opened on `startChannel`.
    static void Run(TfMaindb& db, UiServices& ui, int startChannel, QWidget* parent);

    void FormShow();
    void LoadChannel();
    void ClearControls();
    void StoreChannel();

    void sexdChange();
    // The frequency handlers return false when the text is not a number: it is refused with a
    // message and the edit shows the stored value again.
    bool eReceiveChange();
    bool eSendChange();
    void ToneBoxChange(QComboBox* box);
    void ToneBoxDblClick(QComboBox* box);
    void chsmtjClick();
    void btnCloseClick();

    int StartChannel = 1;
    // True while the controls are being filled; the change handlers then store nothing.
    bool Loading = false;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QLabel* lbChannel;
    QSpinBox* sexd;
    QLabel* lbReceive;
    QLineEdit* eReceive;
    QWidget* pMain;
    QLabel* lbSend;
    QLineEdit* eSend;
    QLabel* lbQT;
    QComboBox* cbQT;
    QLabel* lbDQT;
    QComboBox* cbDQT;
    QLabel* lbfsgl;
    QComboBox* cbfsgl;
    QLabel* lbkz;
    QComboBox* cbkz;
    QCheckBox* chsmtj;
    QComboBox* cbsmtj;
    QLabel* lbKxxl;
    QComboBox* cbKxxl;
    QLabel* lbPtt;
    QComboBox* cbPtt;
    QLabel* lbfmsd;
    QComboBox* cbfmsd;
    QPushButton* btnClose;

    // Takes what is still being typed, for the channel the controls show.
    bool CommitPending();

    TfMaindb& Db;
    UiServices& Ui;
    ChannelTable& Table;
    // The channel the controls show; StoreChannel writes here.
    int ShownChannel = 0;
    bool Shown = false;
};
