#pragma once

// A fresh program for one test: its own program directory, the single instances, scripted message
// boxes, file dialogs, port list and dialogs, and the main window over them.

#include "../common/Child.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "ui/FileChooser.h"
#include "ui/MainFrm.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/UiServices.h"

#include <QDialog>
#include <QFile>
#include <QList>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

// The language files as the build copies them next to the programs.
inline QString BuiltLanguageFile(const QString& name) {
    return QStringLiteral(V35_BIN_DIR "/") + name;
}
inline QString SourceFile(const QString& relative) {
    return QStringLiteral(V35_SOURCE_DIR "/") + relative;
}

// The offscreen platform warns about what it cannot do with windows (size hints, raising); that
// is no finding.
inline void SilenceOffscreenNoise() {
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

struct UiOptions {
    bool LanguageFiles = true; // copy Chinese.Ini and English.Ini into the program directory
    QString SysInfo;           // text of SysInfo.Ini; none when empty
    QStringList Ports;         // what ListComPorts finds
    // Real message boxes, file dialogs and modal dialogs (answered by a ModalScript), instead of the
    // scripted ones: the paths where a modal window takes the focus from an editor.
    bool RealDialogs = false;
};

struct UiFixture {
    using Options = UiOptions;

    explicit UiFixture(const UiOptions& options = UiOptions()) {
        SilenceOffscreenNoise();
        // A SysInfo.Ini in the user's own configuration directory must not leak into a test.
        QStandardPaths::setTestModeEnabled(true);
        if (options.LanguageFiles)
            for (const char* name : {"Chinese.Ini", "English.Ini"})
                QFile::copy(SourceFile(QStringLiteral("lang/") + QLatin1String(name)),
                            Dir() + QLatin1String(name));
        if (!options.SysInfo.isEmpty()) {
            QFile file(Dir() + QStringLiteral("SysInfo.Ini"));
            if (file.open(QIODevice::WriteOnly))
                file.write(options.SysInfo.toUtf8());
        }
        Db = std::make_unique<TfMaindb>(Dir());
        if (options.RealDialogs) {
            Ui = std::make_unique<UiServices>(Boxes, RealFiles);
        } else {
            Ui = std::make_unique<UiServices>(Prompts, Files);
        }
        const QStringList ports = options.Ports;
        Ui->ListPorts = [ports](QStringList* list) {
            if (list)
                list->append(ports);
        };
        Ui->OpenUrl = [this](const QUrl& url) {
            Opened.append(url);
            return true;
        };
        if (!options.RealDialogs)
            Ui->ExecDialog = [this](QDialog& dialog) {
                const auto it = OnDialog.find(dialog.objectName());
                if (it == OnDialog.end()) {
                    // Nobody scripted this dialog: it is shown and cancelled.
                    dialog.show();
                    dialog.reject();
                    return static_cast<int>(QDialog::Rejected);
                }
                dialog.show();
                it->second(dialog);
                dialog.hide();
                return dialog.result();
            };
        Window = std::make_unique<TfMainFrm>(*Db, *Ui);
    }

    ~UiFixture() {
        // The window asks before it closes; a test that ends is no user closing it.
        Window.reset();
    }

    QString Dir() const { return Temp.path() + QLatin1Char('/'); }

    // Shows the window (its first show runs the start-up of the window) and clears the prompt log.
    TfMainFrm& Show() {
        Window->show();
        Prompts.Log.clear();
        return *Window;
    }

    // The captions and texts of the message boxes shown so far.
    QStringList Shown() const {
        QStringList texts;
        for (const ScriptedPrompter::Shown& s : Prompts.Log)
            texts.append(s.Text);
        return texts;
    }

    QTemporaryDir Temp;
    ScriptedPrompter Prompts;
    ScriptedFileChooser Files;
    MessageBoxPrompter Boxes;
    DialogFileChooser RealFiles;
    QList<QUrl> Opened;
    // Scripted dialogs by object name: the dialog has been shown; the script clicks its buttons.
    std::map<QString, std::function<void(QDialog&)>> OnDialog;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<UiServices> Ui;
    std::unique_ptr<TfMainFrm> Window;
};
