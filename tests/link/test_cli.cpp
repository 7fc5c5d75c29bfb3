// v35ctl read and write against v35sim on a pseudo-terminal: files, exit status and messages.

#include "LinkFixture.h"
#include "SimProcess.h"

#include "radiodata/CodeplugJson.h"
#include "radiodata/DatFile.h"
#include "sim/RadioSimulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Run {
    int ExitCode = -1;
    QString Err;
    QString Out;
};

Run Ctl(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(V35_BIN_DIR "/v35ctl"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Err = QString::fromUtf8(p.readAllStandardError());
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

// v35ctl with its standard error on a terminal (a pseudo-terminal in raw mode, so that what
// arrives is exactly what the program wrote).
Run CtlOnTerminal(const QStringList& args) {
    Run r;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return r;
    const int slave =
        ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::open(::ptsname(master), O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        ::close(master);
        return r;
    }
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray err;
    const auto drain = [&err, master] {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0)
            err.append(buffer, static_cast<int>(n));
    };
    QProcess p;
    p.setChildProcessModifier([slave] { ::dup2(slave, STDERR_FILENO); });
    p.start(QStringLiteral(V35_BIN_DIR "/v35ctl"), args);
    QElapsedTimer t;
    t.start();
    if (p.waitForStarted(5000))
        while (p.state() != QProcess::NotRunning && t.elapsed() < 60000) {
            p.waitForFinished(20);
            drain();
        }
    drain();
    ::close(slave);
    ::close(master);
    if (p.state() != QProcess::NotRunning)
        return r;
    r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Err = QString::fromUtf8(err);
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void readIntoDatAndJson_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("verbose");
        QTest::newRow(".dat, every command logged") << "radio.dat" << true;
        QTest::newRow(".json") << "radio.json" << false;
    }

    void readIntoDatAndJson() {
        QFETCH(QString, name);
        QFETCH(bool, verbose);
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("radio.img"));
        QVERIFY(WriteFile(image, KnownImage()));
        SimProcess sim({QStringLiteral("--image"), image});
        QVERIFY(!sim.Path.isEmpty());
        const QString out = dir.filePath(name);
        QStringList args{QStringLiteral("read"), QStringLiteral("--port"), sim.Path, QStringLiteral("-o"),
                         out};
        if (verbose)
            args << QStringLiteral("--verbose");
        const Run r = Ctl(args);
        QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
        LinkCatalogue cat;
        Codeplug plug;
        QString error;
        if (name.endsWith(QLatin1String(".json"))) {
            QVERIFY2(CodeplugFromJson(ReadFile(out), cat.Models, cat.Bands, plug, &error), qPrintable(error));
        } else {
            DatContents contents;
            QCOMPARE(DecodeDatFile(ReadFile(out), cat.Models, cat.Bands, std::nullopt, contents, &error),
                     DatStatus::Ok);
            plug = contents.Plug;
        }
        CompareCodeplugs(plug, KnownCodeplug());
        if (verbose) {
            QCOMPARE(r.Err.count(QStringLiteral("(R 0x")), 138);
            QVERIFY(r.Err.contains(QStringLiteral("-> 52 0C 90 10  (R 0x0C90)")));
            QVERIFY(r.Err.contains(QStringLiteral("<- 50 56 33 35 20 F5 00 00")));
        }
    }

    // A read that fails writes nothing: an earlier file of that name stays as it was.
    void failedReadWritesNothing_data() {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QStringList>("ctlArgs");
        QTest::addColumn<QString>("context");
        QTest::newRow("no reply, two retries spent")
            << QStringList{"--fault", "drop=0x0040", "--fault", "drop=0x0040", "--fault", "drop=0x0040"}
            << QStringList{} << "R 0x0040";
        QTest::newRow("a reply cut short, no retries")
            << QStringList{"--fault", "short=0x0040"} << QStringList{"--retries", "0"} << "10 bytes arrived";
        QTest::newRow("acknowledgement answered with 0x15")
            << QStringList{"--fault", "nak"} << QStringList{} << "answered 15";
        QTest::newRow("a silent radio") << QStringList{"--fault", "silent"} << QStringList{"--retries", "1"}
                                        << "acknowledgement of the handshake";
    }

    void failedReadWritesNothing() {
        QFETCH(QStringList, simArgs);
        QFETCH(QStringList, ctlArgs);
        QFETCH(QString, context);
        QTemporaryDir dir;
        SimProcess sim(simArgs);
        QVERIFY(!sim.Path.isEmpty());
        const QString out = dir.filePath(QStringLiteral("radio.dat"));
        QVERIFY(WriteFile(out, "earlier file"));
        const Run r = Ctl(QStringList{"read", "--port", sim.Path, "-o", out} + ctlArgs);
        QCOMPARE(r.ExitCode, 1);
        LinkCatalogue cat;
        QVERIFY2(r.Err.contains(cat.Messages.ComError), qPrintable(r.Err));
        QVERIFY2(r.Err.contains(context), qPrintable(r.Err));
        QVERIFY2(r.Err.contains(sim.Path), qPrintable(r.Err));
        QCOMPARE(ReadFile(out), QByteArray("earlier file"));
    }

    // --retries answers the question with Retry that many times.
    void retriesGetThrough() {
        QTemporaryDir dir;
        SimProcess sim({"--fault", "drop=0x0040", "--fault", "no-ack"});
        const QString out = dir.filePath(QStringLiteral("radio.dat"));
        const Run r = Ctl({"read", "--port", sim.Path, "-o", out, "--retries", "2"});
        QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
        QCOMPARE(r.Err.count(QStringLiteral("trying again")), 2);
        QVERIFY(QFile::exists(out));
    }

    void writeFromDat() {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.img"));
        const QString in = dir.filePath(QStringLiteral("in.dat"));
        LinkCatalogue cat;
        QVERIFY(WriteFile(in, EncodeDatFile(WriteCodeplug(), cat.V35(), cat.Bands.BandTextOf(243),
                                            QStringLiteral("2026-12-09 15:24"))));
        SimProcess sim({"--save", saved});
        const Run r = Ctl({"write", "--port", sim.Path, in});
        QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
        QVERIFY2(r.Err.contains(QStringLiteral("channel 3")), qPrintable(r.Err));
        QVERIFY(sim.Terminate());
        QByteArray expected = RadioSimulator::FactoryImage();
        for (const auto& [address, bytes] : WrittenBlocks())
            expected.replace(address, 16, bytes);
        QCOMPARE(Spaced(ReadFile(saved)), Spaced(expected));
    }

    void writeBand_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("the file's band is not the radio's") << QStringList{} << 1 << "FrqError";
        QTest::newRow("--band gives the radio's band")
            << QStringList{"--band", " 27.0 -  72.0MHz"} << 0 << "";
        QTest::newRow("--band by id") << QStringList{"--band", "244"} << 0 << "";
        QTest::newRow("--band unknown") << QStringList{"--band", "27-72"} << 2 << "";
    }

    void writeBand() {
        QFETCH(QStringList, extra);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.json"));
        LinkCatalogue cat;
        QVERIFY(WriteFile(in, CodeplugToJson(WriteCodeplug(), cat.Bands, QString())));
        SimProcess sim({"--band", "244"});
        const Run r = Ctl(QStringList{"write", "--port", sim.Path, in} + extra);
        QVERIFY2(r.ExitCode == exitCode, qPrintable(r.Err));
        if (message == QLatin1String("FrqError"))
            QVERIFY2(r.Err.contains(cat.Messages.FrqError) && r.Err.contains(QStringLiteral("band 244")),
                     qPrintable(r.Err));
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("read without --port") << QStringList{"read", "-o", "x.dat"} << 2;
        QTest::newRow("read without -o") << QStringList{"read", "--port", "/dev/null"} << 2;
        QTest::newRow("read with a stray argument")
            << QStringList{"read", "--port", "/dev/null", "-o", "x", "y"} << 2;
        QTest::newRow("retries not a number")
            << QStringList{"read", "--port", "/dev/null", "-o", "x", "--retries", "many"} << 2;
        QTest::newRow("negative retries")
            << QStringList{"read", "--port", "/dev/null", "-o", "x", "--retries", "-1"} << 2;
        QTest::newRow("write without a file") << QStringList{"write", "--port", "/dev/null"} << 2;
        QTest::newRow("write with two files")
            << QStringList{"write", "--port", "/dev/null", "a.dat", "b.dat"} << 2;
        QTest::newRow("unknown option")
            << QStringList{"read", "--port", "/dev/null", "-o", "x", "--fast"} << 2;
        QTest::newRow("ports with an argument") << QStringList{"ports", "x"} << 2;
        QTest::newRow("write of a file that is not there")
            << QStringList{"write", "--port", "/dev/null", "/nonexistent/in.dat"} << 1;
    }

    void wrongUsage() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        const Run r = Ctl(args);
        QCOMPARE(r.ExitCode, exitCode);
        QVERIFY(!r.Err.isEmpty());
    }

    void portThatCannotBeOpened() {
        QTemporaryDir dir;
        const Run r =
            Ctl({"read", "--port", "/nonexistent/ttyV35", "-o", dir.filePath(QStringLiteral("x.dat"))});
        QCOMPARE(r.ExitCode, 1);
        LinkCatalogue cat;
        QVERIFY2(
            r.Err.contains(cat.Messages.LPortError) &&
                r.Err.contains(QStringLiteral("cannot open /nonexistent/ttyV35: No such file or directory")),
            qPrintable(r.Err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.dat"))));
    }

    // A radio that refuses every block is not reported as written.
    void refusedWriteFails() {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.json"));
        LinkCatalogue cat;
        QVERIFY(WriteFile(in, CodeplugToJson(WriteCodeplug(), cat.Bands, QString())));
        SimProcess sim({"--fault", "nak-write"});
        const Run r = Ctl({"write", "--port", sim.Path, in, "--retries", "1"});
        QCOMPARE(r.ExitCode, 1);
        QVERIFY2(r.Err.contains(cat.Messages.ComError) && r.Err.contains(QStringLiteral("refused W 0x0000")),
                 qPrintable(r.Err));
        QCOMPARE(r.Err.count(QStringLiteral("trying again")), 1);
        QVERIFY2(!r.Err.contains(cat.Messages.WriteOk) &&
                     !r.Err.contains(QStringLiteral("written to the radio")),
                 qPrintable(r.Err));
    }

    // A pulled cable during a write: reported once, with the block it broke; the port does not
    // go on reporting errors while the program ends.
    void hangUpDuringAWrite() {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.json"));
        LinkCatalogue cat;
        QVERIFY(WriteFile(in, CodeplugToJson(WriteCodeplug(), cat.Bands, QString())));
        SimProcess sim({"--fault", "hangup=0x0400"});
        const Run r = Ctl({"write", "--port", sim.Path, in, "--verbose"});
        QCOMPARE(r.ExitCode, 1);
        QVERIFY2(r.Err.size() < 100000, qPrintable(r.Err.right(400)));
        QVERIFY2(!r.Err.contains(QStringLiteral("outside an exchange")), qPrintable(r.Err.right(400)));
        QVERIFY2(r.Err.contains(QStringLiteral("the line was hung up")) &&
                     r.Err.contains(QStringLiteral("while awaiting the reply to W 0x0400")),
                 qPrintable(r.Err.right(400)));
        QVERIFY(r.Err.contains(cat.Messages.ComError));
        QVERIFY(!r.Err.contains(cat.Messages.WriteOk));
    }

    // On a terminal the progress line is redrawn in place; every message starts a line of its
    // own, and nothing moves the bar once the run has ended.
    void progressLineOnATerminal() {
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("radio.img"));
        QVERIFY(WriteFile(image, KnownImage()));
        LinkCatalogue cat;
        {
            SimProcess sim({QStringLiteral("--image"), image});
            const Run r =
                CtlOnTerminal({"read", "--port", sim.Path, "-o", dir.filePath(QStringLiteral("r.dat"))});
            QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
            const QStringList lines = r.Err.split(QLatin1Char('\n'));
            const int ok = lines.indexOf(QStringLiteral("v35ctl read: ") + cat.Messages.ReadOk);
            QVERIFY2(ok > 0, qPrintable(r.Err.right(500)));
            QVERIFY2(lines[ok - 1].endsWith(QStringLiteral("\rreading 136/136   ")),
                     qPrintable(lines[ok - 1].right(60)));
            QVERIFY2(lines[ok + 1].startsWith(QStringLiteral("v35ctl read: 3 channels")),
                     qPrintable(lines[ok + 1]));
        }
        {
            const QString in = dir.filePath(QStringLiteral("in.json"));
            QVERIFY(WriteFile(in, CodeplugToJson(WriteCodeplug(), cat.Bands, QString())));
            SimProcess sim({});
            const Run r = CtlOnTerminal({"write", "--port", sim.Path, in});
            QVERIFY2(r.ExitCode == 0, qPrintable(r.Err));
            const QStringList lines = r.Err.split(QLatin1Char('\n'));
            const int assigned =
                lines.indexOf(QRegularExpression(QStringLiteral("^v35ctl write: no current channel.*")));
            QVERIFY2(assigned >= 0, qPrintable(r.Err.left(500)));
            const int ok = lines.indexOf(QStringLiteral("v35ctl write: ") + cat.Messages.WriteOk);
            QVERIFY2(ok > assigned, qPrintable(r.Err.right(500)));
            QVERIFY2(lines[ok - 1].endsWith(QStringLiteral("\rwriting 138/138   ")),
                     qPrintable(lines[ok - 1].right(60)));
            QCOMPARE(
                lines.mid(ok + 1),
                (QStringList{QStringLiteral("v35ctl write: %1 written to the radio on %2").arg(in, sim.Path),
                             QString()}));
        }
    }

    // Help names the command the user typed, not the path of the program.
    void helpNamesTheCommand_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"read", "write", "ports", "dump", "build"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }

    void helpNamesTheCommand() {
        QFETCH(QString, command);
        const Run r = Ctl({command, "--help"});
        QCOMPARE(r.ExitCode, 0);
        QVERIFY2(r.Out.startsWith(QStringLiteral("Usage: v35ctl %1 [options]").arg(command)),
                 qPrintable(r.Out));
        QVERIFY(!r.Out.contains(QStringLiteral(V35_BIN_DIR)));
    }

    // --lang chooses the language of the messages, before the command or among its options.
    void languageOption_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("language");
        const QStringList read{"read", "--port", "/nonexistent/ttyV35", "-o", "/nonexistent/x.dat"};
        QTest::newRow("English, before the command")
            << QStringList{"--lang", "English"} + read << 1 << "English";
        QTest::newRow("English, among the options") << read + QStringList{"--lang=English"} << 1 << "English";
        QTest::newRow("the built-in Chinese") << QStringList{"--lang", "Chinese"} + read << 1 << "Chinese";
        QTest::newRow("a language without a file") << QStringList{"--lang", "Klingon"} + read << 2 << "";
        QTest::newRow("no name") << read + QStringList{"--lang"} << 2 << "";
    }

    void languageOption() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, language);
        const Run r = Ctl(args);
        QCOMPARE(r.ExitCode, exitCode);
        LinkCatalogue cat;
        if (language.isEmpty()) {
            QVERIFY2(r.Err.contains(QStringLiteral("--lang")) || r.Err.contains(QStringLiteral("Klingon")),
                     qPrintable(r.Err));
            QVERIFY(!r.Err.contains(cat.Messages.LPortError));
            return;
        }
        TLanguage english;
        QString title;
        LoadMessageCatalogue(english, title, QStringLiteral(V35_BIN_DIR "/"), QStringLiteral("English"));
        QVERIFY(english.LPortError != cat.Messages.LPortError);
        const QString wanted =
            language == QLatin1String("English") ? english.LPortError : cat.Messages.LPortError;
        const QString other =
            language == QLatin1String("English") ? cat.Messages.LPortError : english.LPortError;
        QVERIFY2(r.Err.contains(wanted) && !r.Err.contains(other), qPrintable(r.Err));
    }

    void portsListsOneALine() {
        const Run r = Ctl({"ports"});
        QCOMPARE(r.ExitCode, 0);
        for (const QString& line : r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            QVERIFY(!line.trimmed().isEmpty() && !line.contains(QLatin1Char(' ')));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
