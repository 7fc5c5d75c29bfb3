#include "Command.h"

#include "app/Maindb.h"
#include "lang/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <vector>

namespace {

std::vector<CliCommand>& Registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

// The language given with --lang; empty: the one of SysInfo.Ini.
QString& LanguageOption() {
    static QString name;
    return name;
}

const QString kBuiltInLanguage = QStringLiteral("Chinese");

void PrintUsage(QTextStream& out) {
    out << "usage: v35ctl [--lang NAME] COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand& c : Registry())
        out << "  " << QString::fromLatin1(c.Name).leftJustified(8) << ' ' << QString::fromUtf8(c.Summary)
            << '\n';
    out << "\n'v35ctl COMMAND --help' describes one command.\n"
           "--lang NAME gives the messages in the language of the file NAME.Ini beside the program\n"
           "(Chinese: the built-in texts); without it, the language chosen in the program.\n";
    out.flush();
}

// The languages that have a file beside the program, and the built-in one.
QStringList KnownLanguages(const QString& programDir) {
    QStringList names{kBuiltInLanguage};
    for (const QFileInfo& f : QDir(programDir).entryInfoList({QStringLiteral("*.Ini")}, QDir::Files)) {
        const QString name = f.completeBaseName();
        if (name.compare(QLatin1String("SysInfo"), Qt::CaseInsensitive) != 0 && !names.contains(name))
            names << name;
    }
    return names;
}

// Takes "--lang NAME" or "--lang=NAME" out of args, wherever it stands. False (message on standard
// error) when the name is missing or no such language exists.
bool TakeLanguageOption(QStringList& args) {
    QString name;
    bool given = false;
    for (int i = 0; i < args.size();) {
        if (args[i] == QLatin1String("--lang")) {
            if (i + 1 >= args.size()) {
                StdErr() << "v35ctl: --lang wants a language name\n";
                return false;
            }
            name = args[i + 1];
            args.remove(i, 2);
            given = true;
        } else if (args[i].startsWith(QLatin1String("--lang="))) {
            name = args[i].mid(7);
            args.removeAt(i);
            given = true;
        } else {
            ++i;
        }
    }
    if (!given)
        return true;
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QStringList known = KnownLanguages(dir);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || !known.contains(name)) {
        StdErr() << "v35ctl: no language '" << name << "': there is no " << LanguageFilePath(dir, name)
                 << "\n  languages: " << known.join(QStringLiteral(", ")) << '\n';
        return false;
    }
    LanguageOption() = name;
    return true;
}

// QCommandLineParser puts the path of the program in the usage line; the user typed a command.
QString HelpWithCommandName(QString help, const QString& command) {
    static const QRegularExpression usage(QStringLiteral("^(\\S+:) \\S+"));
    return help.replace(usage, QStringLiteral("\\1 v35ctl ") + command);
}

QFile& StdOutFile() {
    static QFile file;
    if (!file.isOpen())
        file.open(stdout, QIODevice::WriteOnly);
    return file;
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
    static QTextStream s(&StdOutFile());
    return s;
}

std::optional<int> ParseCommandLine(QCommandLineParser& parser, const char* command, const QStringList& args,
                                    const QString& usage) {
    const QString name = QStringLiteral("v35ctl ") + QLatin1String(command);
    if (!parser.parse(QStringList{name} + args)) {
        StdErr() << name << ": " << parser.errorText() << '\n' << usage;
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        StdOut() << parser.helpText();
        return ExitOk;
    }
    return std::nullopt;
}

void ApplyLanguageOption(TfMaindb& db) {
    if (LanguageOption().isEmpty())
        return;
    db.AppState.LanguageName = LanguageOption();
    db.ReloadMessages();
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v35ctl"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (!TakeLanguageOption(args)) {
        StdErr().flush();
        return ExitUsage;
    }
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
            // A command's help is caught on its way out, to name the command in its usage line.
            const bool help = args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")) ||
                              args.contains(QLatin1String("--help-all"));
            QString helpText;
            if (help) {
                StdOut().flush();
                StdOut().setString(&helpText);
            }
            const int rc = c.Run(args);
            if (help) {
                StdOut().flush();
                StdOut().setDevice(&StdOutFile());
                StdOut() << HelpWithCommandName(helpText, name);
            }
            StdOut().flush();
            StdErr().flush();
            return rc;
        }
    StdErr() << "v35ctl: unknown command '" << name << "'\n";
    PrintUsage(StdErr());
    return ExitUsage;
}
