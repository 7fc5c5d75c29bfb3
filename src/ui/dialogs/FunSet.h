#pragma once

#include "app/ReportTables.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class ChannelTable;
class QComboBox;
struct SettingList;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TfMaindb;
class UiServices;

// Shows and edits the radio-wide function settings. Besides the twelve settings the user sees, it
// carries the settings the radio keeps without offering them here, so that OK writes every field.
class TfFunSet : public QDialog {
    Q_OBJECT
public:
    explicit TfFunSet(TfMaindb& db, QWidget* parent = nullptr);

    // The dialog of the function settings command: `channelsInUse` are the numbers of the channels
    // that have a receive frequency, ascending. True when OK stored the settings.
    static bool Run(TfMaindb& db, UiServices& ui, const QStringList& channelsInUse, QWidget* parent);

    // The current-channel list: numbers of the channels in use, as decimal texts.
    void FillChannelList(const QStringList& channelsInUse);
    // The numbers of the channels that have a receive frequency, ascending, for that list.
    static QStringList ChannelsInUse(const ChannelTable& table);

    void PrepareForm();
    void LoadFromRecord();
    void SaveToRecord();
    // The 14 lines of the function settings in the report, in the current language.

    void btnOkClick();
    void btnCancelClick();

    // The caption of a control's label (the report's line caption).
    QLabel* LabelOf(const QWidget* control) const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QGroupBox* gbFun;
    // Shown.
    QComboBox* cbtsy;
    QComboBox* cbOpentsy;
    QComboBox* cbfscs;
    QComboBox* cbdcsd;
    QComboBox* cbsksz;
    QComboBox* cbwn;
    QComboBox* cbjzjb;
    QComboBox* cbglgd;
    QComboBox* cbled;
    QComboBox* cbcled;
    QComboBox* cbsmfs;
    QComboBox* cbjps;
    // Carried but not shown.
    QWidget* pHidden;
    QComboBox* cbmsbz;
    QComboBox* cbdqxd;
    QComboBox* cbScr;
    QComboBox* cbAni;
    QComboBox* cbsttx;
    QComboBox* cbentx;
    QComboBox* cbsdsz;
    QComboBox* cbyysz;
    QComboBox* cbpjts;
    QComboBox* cblpjh;
    QComboBox* cbvoxyc;
    QComboBox* cbTFLev;
    QLineEdit* cxANICode;
    QLineEdit* cxMeName;

    QPushButton* btnOk;
    QPushButton* btnCancel;

    QComboBox* NewList(QWidget* owner, const QString& name, const QString& label, const QStringList& entries);
    // A list the settings report prints, from the texts the report takes too.
    QComboBox* NewList(QWidget* owner, const SettingList& list);
    QLineEdit* NewText(QWidget* owner, const QString& name, const QString& label);
    void TakeCurrentChannel();

    TfMaindb& Db;
    bool Shown = false;
    QList<QPair<QWidget*, QLabel*>> Labels;
};
