#pragma once

#include "core/Prompt.h"

#include <QCommandLineParser>
#include <QString>

class LinkOperation;

// What `read` and `write` share: the --port, --retries and --verbose options, the answers to the
// link's questions, the progress line and running an operation to its end.

void AddLinkOptions(QCommandLineParser& parser);

struct LinkOptions {
    QString Port;
    int Retries = 2;
    bool Verbose = false;
};

// False (message on standard error) when an option is missing or malformed.
bool ParseLinkOptions(const QCommandLineParser& parser, const QString& command, LinkOptions& out);

// The progress of a transfer on a terminal, redrawn in place on one line. Anything else written
// to standard error ends that line first, so that no message is glued to it.
class ProgressLine {
public:
    void Show(const QString& label, int position, int maximum);
    void End();

private:
    bool Open = false;
};

// The link's messages on standard error; the Retry/Cancel question answered with Retry as often
// as --retries allows, then with Cancel.
class CliPrompter : public Prompter {
public:
    CliPrompter(const QString& command, int retries) : Command(command), RetriesLeft(retries) {}
    Result Show(const QString& caption, const QString& text, Kind kind) override;
    // Set by the runner so that a question can say what went wrong.
    const LinkOperation* Operation = nullptr;
    // End it before writing anything else to standard error during a run.
    ProgressLine Progress;

private:
    QString Command;
    int RetriesLeft;
    int Attempt = 1;
};

// Opens the port and runs one attempt (with its retries) to its end. On failure the catalogue
// message and what happened on the line are on standard error.
bool RunLinkOperation(LinkOperation& op, CliPrompter& prompter, const LinkOptions& options,
                      const QString& command, const QString& progressLabel);
