// The link through a real pseudo-terminal and QSerialPort: against the simulator in this process
// and against the v35sim program.

#include "LinkFixture.h"
#include "SimProcess.h"

#include "link/ReadOperation.h"
#include "link/WriteOperation.h"
#include "sim/PtyLine.h"
#include "sim/RadioSimulator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

// The simulator behind a pseudo-terminal, in this process.
struct PtyRadio {
    PtyRadio() {
        QString error;
        Opened = Pty.Open(&error);
        QVERIFY2(Opened, qPrintable(error));
        QObject::connect(&Pty, &PtyLine::received, &Radio, &RadioSimulator::Receive);
        QObject::connect(&Radio, &RadioSimulator::transmit, &Pty, &PtyLine::Send);
        QObject::connect(&Radio, &RadioSimulator::hangupRequested, &Pty, &PtyLine::HangUp,
                         Qt::QueuedConnection);
    }
    void AddFault(const QString& text) {
        SimFault f;
        QVERIFY2(ParseSimFault(text, f), qPrintable(text));
        Radio.AddFault(f);
    }
    QList<int> Commands(SimCommand::Kind kind) const {
        QList<int> a;
        for (const SimCommand& c : Radio.Commands())
            if (c.Type == kind)
                a << c.Address;
        return a;
    }
    PtyLine Pty;
    RadioSimulator Radio;
    bool Opened = false;
};

} // namespace

class TestPty : public QObject {
    Q_OBJECT

private slots:
    void readAndWriteThroughThePty() {
        PtyRadio radio;
        QVERIFY(radio.Opened);
        radio.Radio.SetMemory(KnownImage());
        Catalogue cat;
        ScriptedPrompter prompts;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompts);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(radio.Pty.SlavePath());
        QVERIFY(read.OpenPort());
        QVERIFY(RunToEnd(read));
        CompareCodeplugs(read.Result(), KnownCodeplug());
        QCOMPARE(radio.Commands(SimCommand::Read), ReadOrder());
        read.close();

        radio.Radio.SetMemory(MarkedImage());
        radio.Radio.ClearCommands();
        WriteOperation write(cat.Models, cat.Bands, cat.Messages, prompts);
        write.SetTiming(LinkTiming::Fast());
        write.SetPortName(radio.Pty.SlavePath());
        write.SetCodeplug(WriteCodeplug());
        QVERIFY(write.OpenPort());
        QVERIFY(RunToEnd(write));
        QCOMPARE(cat.Names(prompts), (QStringList{"ReadOk", "WriteOk"}));
        QTRY_VERIFY(!radio.Radio.InSession());
        QCOMPARE(radio.Commands(SimCommand::Write), WriteOrder());
        QByteArray expected = MarkedImage();
        for (const auto& [address, bytes] : WrittenBlocks())
            expected.replace(address, 16, bytes);
        QCOMPARE(Spaced(radio.Radio.Memory()), Spaced(expected));
    }

    void faultsThroughThePty_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("no reply, Retry")
            << "drop=0x0400" << QList<int>{Prompter::Retry} << true << QStringList{"ComError?", "ReadOk"};
        QTest::newRow("acknowledgement answered with 0x15")
            << "nak" << QList<int>{} << false << QStringList{"ComError"};
        // The terminal goes away: the serial port reports the error; the silent retry meets a
        // port that is gone and ends in the question.
        QTest::newRow("pulled cable")
            << "hangup=0x0400" << QList<int>{Prompter::Cancel} << false << QStringList{"ComError?"};
    }

    void faultsThroughThePty() {
        QFETCH(QString, fault);
        QFETCH(QList<int>, answers);
        QFETCH(bool, success);
        QFETCH(QStringList, prompts);
        PtyRadio radio;
        QVERIFY(radio.Opened);
        radio.Radio.SetMemory(KnownImage());
        radio.AddFault(fault);
        Catalogue cat;
        ScriptedPrompter prompter;
        prompter.Answers = answers;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompter);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(radio.Pty.SlavePath());
        QVERIFY(read.OpenPort());
        QCOMPARE(RunToEnd(read), success);
        QCOMPARE(cat.Names(prompter), prompts);
        QCOMPARE(read.ReadDone(), success);
    }

    // The program end to end: v35sim with an image file, a read and a write, the saved image.
    void againstTheSimulatorProgram() {
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("radio.img"));
        const QString saved = dir.filePath(QStringLiteral("saved.img"));
        QVERIFY(WriteFile(image, KnownImage()));
        SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--save"), saved});
        QVERIFY2(sim.Path.startsWith(QLatin1String("/dev/")), qPrintable(sim.Path));

        Catalogue cat;
        ScriptedPrompter prompts;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompts);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(sim.Path);
        QVERIFY(read.OpenPort());
        QVERIFY(RunToEnd(read));
        CompareCodeplugs(read.Result(), KnownCodeplug());
        read.close();

        // Write the data of another band into it: refused, nothing saved.
        WriteOperation write(cat.Models, cat.Bands, cat.Messages, prompts);
        write.SetTiming(LinkTiming::Fast());
        write.SetPortName(sim.Path);
        write.SetCodeplug(WriteCodeplug());
        QVERIFY(write.OpenPort());
        QVERIFY(!RunToEnd(write));
        write.close();
        QVERIFY(!QFile::exists(saved));

        // The same data for the radio's band goes in, and the radio saves after the session.
        Codeplug plug = WriteCodeplug();
        plug.BandId = 245;
        write.SetCodeplug(plug);
        QVERIFY(write.OpenPort());
        QVERIFY(RunToEnd(write));
        write.close();
        QCOMPARE(cat.Names(prompts), (QStringList{"ReadOk", "FrqError", "WriteOk"}));
        QTRY_VERIFY(QFile::exists(saved));
        QVERIFY(sim.Terminate());

        QByteArray expected = KnownImage();
        for (const auto& [address, bytes] : WrittenBlocks())
            expected.replace(address, 16, bytes);
        expected[0x0800 + 10] = char(0xF5); // band block and model block carry band 245
        expected[0x0C70 + 5] = char(0xF5);
        QCOMPARE(Spaced(ReadFile(saved)), Spaced(expected));
    }

    void simulatorProgramRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown fault") << QStringList{"--fault", "smoke"} << 2;
        QTest::newRow("fault address past the memory") << QStringList{"--fault", "drop=0x0CA0"} << 2;
        QTest::newRow("two memory sources") << QStringList{"--blank", "--image", "x.img"} << 2;
        QTest::newRow("band on a blank radio") << QStringList{"--blank", "--band", "244"} << 2;
        QTest::newRow("band not a number") << QStringList{"--band", "UHF"} << 2;
        QTest::newRow("missing image") << QStringList{"--image", "/nonexistent/radio.img"} << 1;
        QTest::newRow("image of the wrong size")
            << QStringList{"--image", QStringLiteral(V35_SOURCE_DIR "/README.md")} << 1;
    }

    void simulatorProgramRefusesBadArguments() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QProcess p;
        p.start(QStringLiteral(V35_BIN_DIR "/v35sim"), args);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), exitCode);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPty)
#include "test_pty.moc"
