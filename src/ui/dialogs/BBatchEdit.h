#pragma once

#include <QDialog>

class ChannelTable;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;
class TfMaindb;
class UiServices;

// Fills a run of channels at once: frequencies advancing by the channel spacing from one channel
// to the next, and the same tones and settings for each. The dialog stays open after OK, so that
// several runs can be filled one after the other.
class TfBBatchEdit : public QDialog {
    Q_OBJECT
public:
    TfBBatchEdit(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    // The dialog of the batch edit command.
    static void Run(TfMaindb& db, UiServices& ui, QWidget* parent);

    void FormShow();
    // Whether the input may be applied; says why when it may not.
    bool CheckInput();
    // Asks before a fill overwrites channels in use; true when there are none or the user agreed.
    bool ConfirmOverwrite();
    void FillChannels();

    // The start frequencies snap onto the channel raster as they are typed; false when the text
    // is not a number (refused with a message, the edit shows its last value again).
    bool eReceiveChange();
    bool eSendChange();
    void ToneBoxChange(QComboBox* box);
    void ToneBoxDblClick(QComboBox* box);
    void chsmtjClick();
    void rallClick();
    void btnOkClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lbReceive;
    QLineEdit* eReceive;
    QLabel* lbSend;
    QLabel* lOverwrite;
    QLineEdit* eSend;
    QLabel* lbJg;
    QComboBox* cbJg;
    QLabel* lbQT;
    QComboBox* cbQT;
    QLabel* lbDQT;
    QComboBox* cbDQT;
    QLabel* lbkz;
    QComboBox* cbkz;
    QLabel* lbfsgl;
    QComboBox* cbfsgl;
    QLabel* lbKxxl;
    QComboBox* cbKxxl;
    QLabel* lbPtt;
    QComboBox* cbPtt;
    QLabel* lbfmsd;
    QComboBox* cbfmsd;
    QCheckBox* chsmtj;
    QComboBox* cbsmtj;
    QFrame* pRange;
    QRadioButton* rall;
    QRadioButton* rOne;
    QWidget* pPd;
    QLabel* lbFrom;
    QSpinBox* seFrom;
    QLabel* lbTo;
    QSpinBox* seTo;
    QFrame* pDirection;
    QRadioButton* rasc;
    QRadioButton* rdesc;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    bool StartFrequency(QLineEdit* edit, QString& lastText);
    // What a tone box puts into a channel: the table's none text, or a tone in the tone notation.
    QString ToneCellText(const QComboBox* box) const;

    TfMaindb& Db;
    UiServices& Ui;
    ChannelTable& Table;
    QString ReceiveText;
    QString SendText;
    bool Shown = false;
};
