// v35ctl dump FILE.dat: the codeplug as JSON on standard output.
#include "CodeplugFiles.h"
#include "Command.h"

#include "radiodata/CodeplugJson.h"

#include <QCommandLineParser>

namespace {

int RunDump(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints the codeplug of a .dat file as JSON."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the .dat file (or the JSON form)"));
    const QString usage = QStringLiteral("usage: v35ctl dump FILE.dat\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "dump", args, usage))
        return *done;
    if (parser.positionalArguments().size() != 1) {
        StdErr() << usage;
        return ExitUsage;
    }
    CodeplugFile file;
    QString error;
    if (!ReadCodeplugFile(parser.positionalArguments().first(), file, &error)) {
        StdErr() << "v35ctl dump: " << error << '\n';
        return ExitFailure;
    }
    StdOut() << QString::fromUtf8(CodeplugToJson(file.Plug, Tables().Bands, file.SavedText));
    return ExitOk;
}

const CommandRegistration reg{{"dump", "print a .dat file as JSON", &RunDump}};

} // namespace
