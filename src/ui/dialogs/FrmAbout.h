#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QWidget;
class TfMaindb;
class UiServices;

// Shows the title, the icon, the version and date and the legal notice; any click closes it.
class TfFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfFrmAbout(TfMaindb& db, QWidget* parent = nullptr);

    static void Run(TfMaindb& db, UiServices& ui, QWidget* parent);

    void FormShow();
    void FormMouseDown();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* ImApp;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label2;
    QLabel* Label3;
    QWidget* Panel1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QPlainTextEdit* Memo1;

    TfMaindb& Db;
    bool Shown = false;
};
