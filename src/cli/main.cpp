#include "Command.h"

#include <QCoreApplication>

#include <vector>

namespace {

std::vector<CliCommand>& Registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintUsage(QTextStream& out) {
    out << "usage: v35ctl COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand& c : Registry())
        out << "  " << QString::fromLatin1(c.Name).leftJustified(8) << ' ' << QString::fromUtf8(c.Summary)
            << '\n';
    out << "\n'v35ctl COMMAND --help' describes one command.\n";
    out.flush();
}

} // namespace

CommandRegistration::CommandRegistration(const CliCommand& command) {
    Registry().push_back(command);
}

QTextStream& StdErr() {
    static QTextStream s(stderr);
    return s;
}

QTextStream& StdOut() {
    static QTextStream s(stdout);
    return s;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v35ctl"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        PrintUsage(StdErr());
        return ExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        PrintUsage(StdOut());
        return ExitOk;
    }
    for (const CliCommand& c : Registry())
        if (name == QLatin1String(c.Name)) {
            const int rc = c.Run(args);
            StdOut().flush();
            StdErr().flush();
            return rc;
        }
    StdErr() << "v35ctl: unknown command '" << name << "'\n";
    PrintUsage(StdErr());
    return ExitUsage;
}
