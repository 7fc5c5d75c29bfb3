// v35ctl build FILE.json -o OUT.dat [--date "yyyy-MM-dd HH:mm"]: the .dat file the program would
// save for that data.
#include "CodeplugFiles.h"
#include "Command.h"

#include <QCommandLineParser>
#include <QDateTime>

namespace {

int RunBuild(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the .dat file of a codeplug given as JSON."));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("the .dat file to write"), QStringLiteral("OUT.dat"));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("the save date in the header (default: now)"),
                                  QStringLiteral("yyyy-MM-dd HH:mm"));
    parser.addOption(output);
    parser.addOption(date);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the codeplug in its JSON form"));
    const QString usage =
        QStringLiteral("usage: v35ctl build FILE.json -o OUT.dat [--date \"yyyy-MM-dd HH:mm\"]\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "build", args, usage))
        return *done;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        StdErr() << usage;
        return ExitUsage;
    }
    QString when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (parser.isSet(date)) {
        when = parser.value(date);
        if (!IsHeaderDate(when)) {
            StdErr() << "v35ctl build: --date \"" << when << "\" is not a date \"yyyy-MM-dd HH:mm\"\n"
                     << usage;
            return ExitUsage;
        }
    }
    CodeplugFile file;
    QString error;
    // The input is the JSON form whatever its name ends in; nothing is written when it is refused.
    if (!ReadCodeplugFile(parser.positionalArguments().first(), file, &error, CodeplugFormat::Json) ||
        !WriteCodeplugFile(parser.value(output), file.Plug, when, &error)) {
        StdErr() << "v35ctl build: " << error << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration reg{{"build", "write a .dat file from JSON", &RunBuild}};

} // namespace
