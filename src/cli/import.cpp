// v35ctl import IN.csv [--base FILE.dat|FILE.json] -o OUT.dat|OUT.json [--skip-bad]: channels from
// CSV into a codeplug.
#include "CodeplugFiles.h"
#include "Command.h"

#include "core/FileIo.h"
#include "core/Values.h"
#include "radiodata/CodeplugCsv.h"
#include "radiodata/CodeplugJson.h"

#include <QCommandLineParser>
#include <QDateTime>

namespace {

// Far more than 128 channels of CSV ever take.
constexpr qint64 kMaxCsvBytes = 4 * 1024 * 1024;

int RunImport(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Takes the channels of a CSV file into a codeplug: the rows replace the channels of the same "
        "number; the other channels and every setting come from --base (or a new codeplug)."));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("the .dat or .json file to write"), QStringLiteral("OUT"));
    const QCommandLineOption base(QStringLiteral("base"), QStringLiteral("the codeplug the channels go into"),
                                  QStringLiteral("FILE"));
    const QCommandLineOption skipBad(QStringLiteral("skip-bad"),
                                     QStringLiteral("take the rows the radio can hold and name the others"));
    parser.addOption(output);
    parser.addOption(base);
    parser.addOption(skipBad);
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("the CSV file"));
    const QString usage = QStringLiteral(
        "usage: v35ctl import IN.csv [--base FILE.dat|FILE.json] -o OUT.dat|OUT.json [--skip-bad]\n");
    if (const std::optional<int> done = ParseCommandLine(parser, "import", args, usage))
        return *done;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        StdErr() << usage;
        return ExitUsage;
    }
    CodeplugFile file;
    QString error;
    if (parser.isSet(base) && !ReadCodeplugFile(parser.value(base), file, &error)) {
        StdErr() << "v35ctl import: " << error << '\n';
        return ExitFailure;
    }
    const QString in = parser.positionalArguments().first();
    QByteArray csv;
    if (const FileResult read = ReadFileLimited(in, kMaxCsvBytes, csv); !read) {
        StdErr() << "v35ctl import: " << DescribeFileResult(in, read, kMaxCsvBytes) << '\n';
        return ExitFailure;
    }
    const TMacType* model = Tables().Catalogue.FindByIdentity(file.Plug.Identity);
    CsvLimits limits;
    limits.ChannelCount = model ? model->ChannelCount : 0;
    double low = 0, high = 0;
    if (!ParseBandText(KnownBandText(Tables().Bands, file.Plug.BandId), low, high)) {
        StdErr() << "v35ctl import: the codeplug's band " << file.Plug.BandId
                 << " is not one this radio has\n";
        return ExitFailure;
    }
    limits.Low = low - kChannelBandMargin;
    limits.High = high + kChannelBandMargin;
    const CsvChannels got = ChannelsFromCsv(csv, file.Plug, limits);
    if (!got.Refused.isEmpty()) {
        StdErr() << "v35ctl import: " << in << ":\n" << CsvRefusalText(got.Refused) << '\n';
        if (!parser.isSet(skipBad))
            return ExitFailure;
    }
    for (const auto& [channel, values] : got.Channels)
        file.Plug.Channels[channel] = values;
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!WriteCodeplugFile(parser.value(output), file.Plug, when, &error)) {
        StdErr() << "v35ctl import: " << error << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration reg{
    {"import", "take the channels of a CSV file into a .dat or .json file", &RunImport}};

} // namespace
