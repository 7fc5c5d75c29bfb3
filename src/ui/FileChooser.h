#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open and save file dialogs go through this interface, so that every command of the main
// window can be driven in a test.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or the empty text when the dialog was cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& filter) = 0;
};

// The platform's file dialogs.
class DialogFileChooser : public FileChooser {
public:
    QString OpenFileName(QWidget* parent, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& filter) override;

private:
    QString LastDir;
};

// Answers from two queues and records every request; an empty queue answers "cancelled".
class ScriptedFileChooser : public FileChooser {
public:
    QString OpenFileName(QWidget* parent, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& filter) override;

    QStringList OpenAnswers;
    QStringList SaveAnswers;
    int OpenRequests = 0;
    int SaveRequests = 0;
    QString LastFilter;
};
