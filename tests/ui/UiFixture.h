#pragma once

// A fresh program for one test: its own program directory, the single instances, scripted message
// boxes, file dialogs, port list and dialogs, and the main window over them.

#include "common/ProgramFixture.h"
#include "ui/MainFrm.h"
#include "ui/MessageBoxPrompter.h"

#include <QList>
#include <QUrl>

// The language files as the build copies them next to the programs.
inline QString BuiltLanguageFile(const QString& name) {
    return QStringLiteral(V35_BIN_DIR "/") + name;
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

struct UiFixture : ProgramFixture {
    using Options = UiOptions;

    explicit UiFixture(const UiOptions& options = UiOptions()) {
        SilenceOffscreenNoise();
        if (options.LanguageFiles)
            for (const char* name : {"Chinese.Ini", "English.Ini"})
                QFile::copy(SourceFile(QStringLiteral("lang/") + QLatin1String(name)),
                            Dir() + QLatin1String(name));
        if (!options.SysInfo.isEmpty())
            WriteFile(QStringLiteral("SysInfo.Ini"), options.SysInfo.toUtf8());
        if (options.RealDialogs) {
            Start(Boxes, RealFiles);
            Ui->ExecDialog = [](QDialog& dialog) { return dialog.exec(); };
        } else {
            Start(Prompts, Files);
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
        Window = std::make_unique<TfMainFrm>(*Db, *Ui);
    }

    ~UiFixture() {
        // The window asks before it closes; a test that ends is no user closing it.
        Window.reset();
    }

    // Shows the window (its first show runs the start-up of the window) and clears the prompt log.
    TfMainFrm& Show() {
        Window->show();
        Prompts.Log.clear();
        return *Window;
    }

    MessageBoxPrompter Boxes;
    DialogFileChooser RealFiles;
    QList<QUrl> Opened;
    std::unique_ptr<TfMainFrm> Window;
};
