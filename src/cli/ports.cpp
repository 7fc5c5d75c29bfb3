// v35ctl ports: the serial ports that can be opened now, one a line.
#include "Command.h"

#include "link/Ports.h"

#include <QCommandLineParser>

namespace {

int RunPorts(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lists the serial ports that can be opened now."));
    parser.addHelpOption();
    if (!parser.parse(QStringList{QStringLiteral("v35ctl ports")} + args) ||
        !parser.positionalArguments().isEmpty()) {
        StdErr() << "v35ctl ports: "
                 << (parser.errorText().isEmpty() ? QStringLiteral("takes no arguments") : parser.errorText())
                 << "\nusage: v35ctl ports\n";
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        StdOut() << parser.helpText();
        return ExitOk;
    }
    QStringList ports;
    ListComPorts(&ports);
    for (const QString& p : ports)
        StdOut() << p << '\n';
    return ExitOk;
}

const CommandRegistration reg{{"ports", "list the serial ports that can be opened", &RunPorts}};

} // namespace
