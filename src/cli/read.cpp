// v35ctl read --port P -o OUT.dat|OUT.json: reads the radio into a file.
#include "CodeplugFiles.h"
#include "Command.h"
#include "LinkSession.h"

#include "app/Maindb.h"
#include "link/ReadOperation.h"

#include <QCoreApplication>
#include <QDateTime>

namespace {

int RunRead(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads the radio on a serial port and writes its data to a .dat file or, for a name ending in\n"
        ".json, to the JSON form. The file is written only after a complete read."));
    parser.addHelpOption();
    AddLinkOptions(parser);
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The file to write (.dat or .json)."),
                      QStringLiteral("OUT")});
    const QString usage =
        QStringLiteral("usage: v35ctl read --port P -o OUT.dat|OUT.json [--retries N] [--verbose]\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "read", args, usage))
        return *done;
    LinkOptions options;
    if (!parser.positionalArguments().isEmpty()) {
        StdErr() << "v35ctl read: unexpected argument '" << parser.positionalArguments().first() << "'\n"
                 << usage;
        return ExitUsage;
    }
    if (!ParseLinkOptions(parser, QStringLiteral("read"), options)) {
        StdErr() << usage;
        return ExitUsage;
    }
    const QString out = parser.value(QStringLiteral("output"));
    if (out.isEmpty()) {
        StdErr() << "v35ctl read: -o is required\n" << usage;
        return ExitUsage;
    }

    TfMaindb db(QCoreApplication::applicationDirPath());
    ApplyLanguageOption(db);
    CliPrompter prompter(QStringLiteral("read"), options.Retries);
    ReadOperation op(db.Catalogue, db.BandList, db.Messages, prompter);
    if (!RunLinkOperation(op, prompter, options, QStringLiteral("read"), QStringLiteral("reading")))
        return ExitFailure;

    QString error;
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!WriteCodeplugFile(out, op.Result(), now, &error)) {
        StdErr() << "v35ctl read: " << error << '\n';
        return ExitFailure;
    }
    StdErr() << "v35ctl read: " << op.Result().Channels.size() << " channels, band "
             << db.BandList.BandTextOf(op.Result().BandId).trimmed() << ", written to " << out << '\n';
    return ExitOk;
}

const CommandRegistration reg{{"read", "read the radio into a .dat or .json file", &RunRead}};

} // namespace
