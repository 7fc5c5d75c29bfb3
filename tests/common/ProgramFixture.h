#pragma once

// A fresh program for one GUI test: its own program directory, the single instances, scripted
// message boxes and file dialogs, and modal dialogs run by a script. The dialog tests use it as it
// is; the window tests put the main window over it.

#include "Child.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "ui/FileChooser.h"
#include "ui/UiServices.h"

#include <QDialog>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <memory>

inline QString SourceFile(const QString& relative) {
    return QStringLiteral(V35_SOURCE_DIR "/") + relative;
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ProgramFixture {
    ProgramFixture() {
        // A SysInfo.Ini in the user's own configuration directory must not leak into a test.
        QStandardPaths::setTestModeEnabled(true);
    }

    QString Dir() const { return Temp.path() + QLatin1Char('/'); }

    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Dir() + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    // The single instances over the program directory, and services whose modal dialogs are run
    // by OnDialog (a dialog nobody scripted is shown and cancelled).
    void Start(Prompter& prompts, FileChooser& files) {
        Db = std::make_unique<TfMaindb>(Dir());
        Ui = std::make_unique<UiServices>(prompts, files);
        Ui->ExecDialog = [this](QDialog& dialog) {
            ++Executed[dialog.objectName()];
            dialog.show();
            const auto it = OnDialog.find(dialog.objectName());
            if (it == OnDialog.end())
                dialog.reject();
            else
                it->second(dialog);
            dialog.hide();
            return dialog.result();
        };
    }

    // The texts and captions of the message boxes shown so far.
    QStringList Shown() const {
        QStringList texts;
        for (const ScriptedPrompter::Shown& s : Prompts.Log)
            texts.append(s.Text);
        return texts;
    }
    QStringList Captions() const {
        QStringList captions;
        for (const ScriptedPrompter::Shown& s : Prompts.Log)
            captions.append(s.Caption);
        return captions;
    }

    QTemporaryDir Temp;
    ScriptedPrompter Prompts;
    ScriptedFileChooser Files;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<UiServices> Ui;
    // Scripted dialogs by object name: the dialog has been shown; the script closes it.
    std::map<QString, std::function<void(QDialog&)>> OnDialog;
    std::map<QString, int> Executed;
};
