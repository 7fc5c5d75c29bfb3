#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <optional>

class TfMaindb;

// Every subcommand lives in its own file and registers itself with a static CommandRegistration.
// `run` gets the arguments after the subcommand name and returns the exit status:
// 0 success, 1 failure (message on standard error), 2 wrong usage.
struct CliCommand {
    const char* Name;
    const char* Summary;
    int (*Run)(const QStringList& args);
};

class CommandRegistration {
public:
    explicit CommandRegistration(const CliCommand& command);
};

enum ExitStatus { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

QTextStream& StdErr();
QTextStream& StdOut();

// Parses the arguments of `command` ("v35ctl COMMAND" in the help's usage line). Nothing when the
// command goes on; otherwise its exit status: the error and `usage` for a bad argument, the help
// text for --help.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const char* command, const QStringList& args,
                                    const QString& usage);

// The messages of the language chosen with --lang, if any; without it those of SysInfo.Ini stay.
void ApplyLanguageOption(TfMaindb& db);
