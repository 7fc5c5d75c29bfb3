#pragma once

// Helpers shared by the tests that run the programs themselves: v35sim on a pseudo-terminal, and
// whole files in and out.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/types.h>

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// v35sim on a pseudo-terminal; its path from the first line of its output.
struct SimProcess {
    explicit SimProcess(const QStringList& args) {
        Process.setProgram(QStringLiteral(V35_BIN_DIR "/v35sim"));
        Process.setArguments(QStringList{QStringLiteral("--pty")} + args);
        Process.start();
        if (!Process.waitForStarted(5000))
            return;
        while (!Process.canReadLine() && Process.waitForReadyRead(5000)) {
        }
        const QString line = QString::fromLocal8Bit(Process.readLine()).trimmed();
        if (line.startsWith(QLatin1String("PTY ")))
            Path = line.mid(4);
    }
    ~SimProcess() {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(5000);
        }
    }
    // SIGTERM: v35sim saves its image and ends.
    bool Terminate() {
        ::kill(static_cast<pid_t>(Process.processId()), SIGTERM);
        return Process.waitForFinished(5000) && Process.exitStatus() == QProcess::NormalExit &&
               Process.exitCode() == 0;
    }
    QProcess Process;
    QString Path;
};
