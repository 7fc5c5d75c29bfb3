#include "LinkSession.h"

#include "Command.h"

#include "link/LinkOperation.h"

#include <QEventLoop>

#include <unistd.h>

void AddLinkOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Serial port: /dev/ttyUSB0, /dev/pts/7, COM3."),
         QStringLiteral("P")},
        {QStringLiteral("retries"),
         QStringLiteral("Answer the question whether to try again N times with Retry (default 2)."),
         QStringLiteral("N"), QStringLiteral("2")},
        {QStringLiteral("verbose"), QStringLiteral("Log every command and reply on standard error.")},
    });
}

bool ParseLinkOptions(const QCommandLineParser& parser, const QString& command, LinkOptions& out) {
    out.Port = parser.value(QStringLiteral("port"));
    if (out.Port.isEmpty()) {
        StdErr() << "v35ctl " << command << ": --port is required\n";
        return false;
    }
    bool ok = false;
    out.Retries = parser.value(QStringLiteral("retries")).toInt(&ok);
    if (!ok || out.Retries < 0) {
        StdErr() << "v35ctl " << command << ": --retries wants a number 0 or above, not '"
                 << parser.value(QStringLiteral("retries")) << "'\n";
        return false;
    }
    out.Verbose = parser.isSet(QStringLiteral("verbose"));
    return true;
}

void ProgressLine::Show(const QString& label, int position, int maximum) {
    StdErr() << '\r' << label << ' ' << position << '/' << maximum << "   ";
    StdErr().flush();
    Open = true;
}

void ProgressLine::End() {
    if (!Open)
        return;
    StdErr() << '\n';
    StdErr().flush();
    Open = false;
}

Prompter::Result CliPrompter::Show(const QString&, const QString& text, Kind kind) {
    Progress.End();
    const QString context = Operation ? Operation->LastFailure().Context : QString();
    if (kind != Prompter::RetryCancel) {
        // Failures are reported, with their context, when the run has ended.
        if (!Operation || Operation->LastFailure().Message != text)
            StdErr() << "v35ctl " << Command << ": " << text << '\n';
        StdErr().flush();
        return Prompter::Ok;
    }
    if (RetriesLeft <= 0)
        return Prompter::Cancel; // the failure is reported when the run has ended
    StdErr() << "v35ctl " << Command << ": " << text << '\n';
    if (!context.isEmpty())
        StdErr() << "  " << context << '\n';
    --RetriesLeft;
    ++Attempt;
    StdErr() << "  trying again (attempt " << Attempt << ")\n";
    StdErr().flush();
    return Prompter::Retry;
}

bool RunLinkOperation(LinkOperation& op, CliPrompter& prompter, const LinkOptions& options,
                      const QString& command, const QString& progressLabel) {
    prompter.Operation = &op;
    QList<QMetaObject::Connection> connections;
    if (options.Verbose)
        connections << QObject::connect(&op, &LinkOperation::traffic, &op, [](const QString& line) {
            StdErr() << "  " << line << '\n';
            StdErr().flush();
        });
    const bool terminal = ::isatty(STDERR_FILENO) == 1 && !options.Verbose;
    if (terminal)
        connections << QObject::connect(&op, &LinkOperation::progress, &op, [&](int position, int maximum) {
            // Only the transfer moves the bar; a write that has ended sets it back to 0.
            const LinkOperation::Stage stage = op.CurrentStage();
            if (stage == LinkOperation::Stage::Transferring || stage == LinkOperation::Stage::Ending)
                prompter.Progress.Show(progressLabel, position, maximum);
        });

    op.SetPortName(options.Port);
    bool success = false;
    if (op.OpenPort()) {
        QEventLoop loop;
        QObject::connect(&op, &LinkOperation::finished, &loop, [&](bool ok) {
            success = ok;
            loop.quit();
        });
        op.start();
        loop.exec();
        op.close();
    }
    for (const auto& c : connections)
        QObject::disconnect(c);
    prompter.Progress.End();
    if (!success) {
        const LinkFailure f = op.LastFailure();
        StdErr() << "v35ctl " << command << ": " << f.Message << '\n';
        if (!f.Context.isEmpty())
            StdErr() << "  " << f.Context << '\n';
    }
    StdErr().flush();
    return success;
}
