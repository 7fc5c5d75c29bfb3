// v35ctl write --port P IN.dat|IN.json [--band TEXT]: writes a file into the radio.
#include "CodeplugFiles.h"
#include "Command.h"
#include "LinkSession.h"

#include "app/Maindb.h"
#include "link/WriteOperation.h"

#include <QCoreApplication>

namespace {

// A band by its text (blanks around the numbers do not matter) or by its id.
int FindBand(const TFrqList& bands, const QString& text) {
    const QString wanted = QString(text).remove(QLatin1Char(' '));
    for (const TFrqList::Entry& b : bands.Entries())
        if (QString(b.Text).remove(QLatin1Char(' ')).compare(wanted, Qt::CaseInsensitive) == 0 ||
            QString::number(b.Id) == wanted)
            return b.Id;
    return 0;
}

int RunWrite(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a .dat file (or the JSON form) into the radio on a serial port. The radio's band must\n"
        "be the data's band (or --band), unless the radio is blank."));
    parser.addHelpOption();
    AddLinkOptions(parser);
    parser.addOption(
        {QStringLiteral("band"),
         QStringLiteral("The band to write, instead of the file's: \"400.0 - 470.0MHz\" or its id."),
         QStringLiteral("TEXT")});
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("the .dat or .json file"));
    const QString usage = QStringLiteral(
        "usage: v35ctl write --port P IN.dat|IN.json [--band TEXT] [--retries N] [--verbose]\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "write", args, usage))
        return *done;
    LinkOptions options;
    if (!ParseLinkOptions(parser, QStringLiteral("write"), options)) {
        StdErr() << usage;
        return ExitUsage;
    }
    if (parser.positionalArguments().size() != 1) {
        StdErr() << "v35ctl write: give one file to write\n" << usage;
        return ExitUsage;
    }

    TfMaindb db(QCoreApplication::applicationDirPath());
    ApplyLanguageOption(db);
    int band = 0;
    if (parser.isSet(QStringLiteral("band"))) {
        band = FindBand(db.BandList, parser.value(QStringLiteral("band")));
        if (band == 0) {
            StdErr() << "v35ctl write: unknown band '" << parser.value(QStringLiteral("band"))
                     << "'; the bands are:\n";
            for (const TFrqList::Entry& b : db.BandList.Entries())
                StdErr() << "  " << b.Id << "  " << b.Text << '\n';
            return ExitUsage;
        }
    }
    const QString in = parser.positionalArguments().first();
    CodeplugFile file;
    QString error;
    if (!ReadCodeplugFile(in, file, &error)) {
        StdErr() << "v35ctl write: " << error << '\n';
        return ExitFailure;
    }
    if (band != 0)
        file.Plug.BandId = band;

    CliPrompter prompter(QStringLiteral("write"), options.Retries);
    WriteOperation op(db.Catalogue, db.BandList, db.Messages, prompter);
    op.SetCodeplug(file.Plug);
    QObject::connect(&op, &WriteOperation::currentChannelAssigned, &op, [&prompter](int channel) {
        prompter.Progress.End();
        StdErr() << "v35ctl write: no current channel set; the radio starts on channel " << channel
                 << ", the first in use\n";
    });
    if (!RunLinkOperation(op, prompter, options, QStringLiteral("write"), QStringLiteral("writing")))
        return ExitFailure;
    StdErr() << "v35ctl write: " << in << " written to the radio on " << options.Port << '\n';
    return ExitOk;
}

const CommandRegistration reg{{"write", "write a .dat or .json file into the radio", &RunWrite}};

} // namespace
