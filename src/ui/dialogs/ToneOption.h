#pragma once

#include <QDialog>
#include <QString>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QTableWidget;
class TfMaindb;
class UiServices;

// Shows the CTCSS frequencies and the DCS codes as tables and hands back the one the user
// double-clicks (or selects with Enter), as a tone text: "67.0", "D023N", "D023I".
class TfToneOption : public QDialog {
    Q_OBJECT
public:
    explicit TfToneOption(TfMaindb& db, QWidget* parent = nullptr);

    // Runs the picker modally; the picked tone, or an empty text when nothing was picked.
    static QString Pick(TfMaindb& db, UiServices& ui, QWidget* parent);

    void FormShow();
    // Shows the table of the sender's tag: 0 CTCSS, 1 DCS-N, 2 DCS-I.
    void rCTCSSClick(int tag);
    // A pick on a pickable (frequency or code) column closes the dialog, even on an empty cell.
    void TablePick(QTableWidget* table, int row, int column);

    // The table that is shown now.
    QTableWidget* CurrentTable() const;

    QString PickedTone;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* gbSel;
    QRadioButton* rCTCSS;
    QRadioButton* rDCSN;
    QRadioButton* rDCSI;
    QGroupBox* gbList;
    QTableWidget* gvCtcss;
    QTableWidget* gvDcsN;
    QTableWidget* gvDcsI;
    QListWidget* lbSel;
    QListWidget* lbValue;

    void FillTables();
    QTableWidget* NewTable(const QString& name, int columns, int rows);

    TfMaindb& Db;
    bool Shown = false;
};
