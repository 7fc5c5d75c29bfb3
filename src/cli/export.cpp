// v35ctl export FILE.dat|FILE.json -o OUT.csv: the channels as CSV in the column layout of the
// open-source radio programming tools.
#include "CodeplugFiles.h"
#include "Command.h"

#include "core/FileIo.h"
#include "radiodata/CodeplugCsv.h"

#include <QCommandLineParser>

namespace {

int RunExport(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the channels of a codeplug as CSV (Location, Frequency, Duplex, Offset, Tone, ...)."));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("the CSV file to write"), QStringLiteral("OUT.csv"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the .dat file or the JSON form"));
    const QString usage = QStringLiteral("usage: v35ctl export FILE.dat|FILE.json -o OUT.csv\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "export", args, usage))
        return *done;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        StdErr() << usage;
        return ExitUsage;
    }
    CodeplugFile file;
    QString error;
    if (!ReadCodeplugFile(parser.positionalArguments().first(), file, &error)) {
        StdErr() << "v35ctl export: " << error << '\n';
        return ExitFailure;
    }
    const QString out = parser.value(output);
    if (const FileResult written = WriteFileAtomically(out, ChannelsToCsv(file.Plug)); !written) {
        StdErr() << "v35ctl export: " << DescribeFileResult(out, written) << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration reg{{"export", "write the channels of a .dat or .json file as CSV", &RunExport}};

} // namespace
