#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class TfMaindb;

// Splits a "|"-separated list: every piece becomes an entry, an empty one included; the text after
// the last "|" counts only when it is not empty.
QStringList SplitLanguageList(const QString& list);

// Appends the language file names ("Language" of SysInfo.Ini) to fileList and their display names,
// written in the current language, to displayList.
void ListLanguages(const QString& programDir, const QString& languageName, QStringList& displayList,
                   QStringList& fileList);

// Chooses the language of the windows; the main window applies the choice.
class TfSetLanguage : public QDialog {
    Q_OBJECT
public:
    TfSetLanguage(TfMaindb& db, QWidget* parent = nullptr);

    void FormShow();
    void btnOkClick();
    void btnCancelClick();

    bool Changed = false;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lbName;
    QComboBox* cbLanguage;
    QListWidget* Language;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TfMaindb& Db;
    bool Shown = false;
};
