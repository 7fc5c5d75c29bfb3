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
#include <functional>

namespace {

// A peer on a pseudo-terminal that answers exactly what the test gives it to answer.
struct ScriptedPeer {
    explicit ScriptedPeer(std::function<void(ScriptedPeer&)> onBytes = {}) : OnBytes(std::move(onBytes)) {
        QString error;
        Opened = Pty.Open(&error);
        QVERIFY2(Opened, qPrintable(error));
        QObject::connect(&Pty, &PtyLine::received, &Pty, [this](const QByteArray& bytes) {
            Seen += bytes;
            if (OnBytes)
                OnBytes(*this);
        });
    }
    PtyLine Pty;
    QByteArray Seen;
    std::function<void(ScriptedPeer&)> OnBytes;
    bool Opened = false;
};

// Every line the operation logs.
QStringList* TrafficLog(LinkOperation& op) {
    auto* log = new QStringList;
    QObject::connect(&op, &QObject::destroyed, [log] { delete log; });
    QObject::connect(&op, &LinkOperation::traffic, &op, [log](const QString& line) { *log << line; });
    return log;
}

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
        LinkCatalogue cat;
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
        // The terminal goes away: the port is closed and the broken read reported, with no
        // silent retry on a line that is gone.
        QTest::newRow("pulled cable") << "hangup=0x0400" << QList<int>{} << false << QStringList{"ComError"};
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
        LinkCatalogue cat;
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

    // The other end goes away while the dialog waits for OK: the port is closed at once and the
    // hang-up logged once (the port's read notification would otherwise fire for ever).
    void hangUpWhileIdleClosesThePort() {
        ScriptedPeer peer;
        QVERIFY(peer.Opened);
        LinkCatalogue cat;
        ScriptedPrompter prompts;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompts);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(peer.Pty.SlavePath());
        const QStringList* log = TrafficLog(read);
        QVERIFY(read.OpenPort());
        QVERIFY(read.PortIsOpen());
        peer.Pty.Close();
        QTRY_VERIFY(!read.PortIsOpen());
        QTest::qWait(200);
        QCOMPARE(log->filter(QStringLiteral("hung up")).size(), 1);
        QVERIFY2(log->size() < 10, qPrintable(log->mid(0, 10).join(QLatin1Char('\n'))));
        QVERIFY(prompts.Log.isEmpty());
        // OK tries the port again; the terminal is gone for good.
        QVERIFY(!RunToEnd(read));
        QCOMPARE(cat.Names(prompts), QStringList{"LPortError"});
        QVERIFY2(read.LastFailure().Context.contains(QStringLiteral("hung up")),
                 qPrintable(read.LastFailure().Context));
    }

    // A hang-up in the middle of a read names the block it broke, once, and what happened.
    void hangUpMidReadNamesTheBlock() {
        PtyRadio radio;
        QVERIFY(radio.Opened);
        radio.Radio.SetMemory(KnownImage());
        radio.AddFault(QStringLiteral("hangup=0x0400"));
        LinkCatalogue cat;
        ScriptedPrompter prompts;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompts);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(radio.Pty.SlavePath());
        const QStringList* log = TrafficLog(read);
        QVERIFY(read.OpenPort());
        QVERIFY(!RunToEnd(read));
        QCOMPARE(cat.Names(prompts), QStringList{"ComError"});
        const QString context = read.LastFailure().Context;
        QVERIFY2(context.contains(QStringLiteral("hung up")) && context.contains(QStringLiteral("R 0x0400")),
                 qPrintable(context));
        // Not an errno left over from raising the modem lines, not the handshake of a retry.
        QVERIFY2(!context.contains(QStringLiteral("ioctl")) && !context.contains(QStringLiteral("handshake")),
                 qPrintable(context));
        QCOMPARE(radio.Commands(SimCommand::Handshake).size(), 1);
        QTRY_VERIFY(!read.PortIsOpen());
        QTest::qWait(200);
        QCOMPARE(log->filter(QStringLiteral("hung up")).size(), 1);
        QCOMPARE(cat.Names(prompts), QStringList{"ComError"});
        QVERIFY(!read.ReadDone());
    }

    // Input that is not the reply to the command just sent is never taken as its data: a
    // duplicate acknowledgement is dropped; a reply shifted by a stray byte, or naming another
    // block, fails the exchange like a missing reply (the Retry/Cancel question).
    void shiftedRepliesAreNotData_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QString>("context");
        QTest::newRow("duplicate handshake acknowledgement")
            << "dup-ack" << QList<int>{} << QStringList{"ReadOk"} << "";
        QTest::newRow("stray byte in front of the reply to R 0x0010")
            << "stray=0x0010" << QList<int>{Prompter::Retry} << QStringList{"ComError?", "ReadOk"}
            << "reply to R 0x0010 from the radio on %1 is for another block: bytes 1-3 are 57 00 10, not 00 "
               "10 10";
        QTest::newRow("reply to R 0x0010 names the next block")
            << "next=0x0010" << QList<int>{Prompter::Retry} << QStringList{"ComError?", "ReadOk"}
            << "reply to R 0x0010 from the radio on %1 is for another block: bytes 1-3 are 00 20 10, not 00 "
               "10 10";
    }

    void shiftedRepliesAreNotData() {
        QFETCH(QString, fault);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, prompts);
        QFETCH(QString, context);
        PtyRadio radio;
        QVERIFY(radio.Opened);
        radio.Radio.SetMemory(KnownImage());
        radio.AddFault(fault);
        LinkCatalogue cat;
        ScriptedPrompter prompter;
        prompter.Answers = answers;
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompter);
        LinkTiming timing = LinkTiming::Fast();
        // Long enough for the duplicate (5 ms after the first) to arrive before the identity request
        // even on a busy machine; with the radio's own 20 ms it usually does too.
        timing.BeforeIdentityMs = 200;
        read.SetTiming(timing);
        read.SetPortName(radio.Pty.SlavePath());
        const QStringList* log = TrafficLog(read);
        QVERIFY(read.OpenPort());
        QVERIFY(RunToEnd(read));
        QCOMPARE(cat.Names(prompter), prompts);
        CompareCodeplugs(read.Result(), KnownCodeplug());
        if (!context.isEmpty()) {
            const QString text = context.arg(radio.Pty.SlavePath());
            QVERIFY2(!log->filter(text).isEmpty(), qPrintable(log->join(QLatin1Char('\n')).right(2000)));
        }
    }

    // A radio that refuses every block with 0x15 has not been written: the exchange fails like
    // a missing reply, and no "written" is said.
    void refusedWriteFails_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("Cancel") << QList<int>{Prompter::Cancel} << QStringList{"ComError?"};
        QTest::newRow("Retry, then Cancel")
            << QList<int>{Prompter::Retry, Prompter::Cancel} << QStringList{"ComError?", "ComError?"};
    }

    void refusedWriteFails() {
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, prompts);
        PtyRadio radio;
        QVERIFY(radio.Opened);
        radio.Radio.SetMemory(MarkedImage());
        radio.AddFault(QStringLiteral("nak-write"));
        LinkCatalogue cat;
        ScriptedPrompter prompter;
        prompter.Answers = answers;
        WriteOperation write(cat.Models, cat.Bands, cat.Messages, prompter);
        write.SetTiming(LinkTiming::Fast());
        write.SetPortName(radio.Pty.SlavePath());
        write.SetCodeplug(WriteCodeplug());
        QVERIFY(write.OpenPort());
        QVERIFY(!RunToEnd(write));
        QCOMPARE(cat.Names(prompter), prompts);
        QVERIFY(!write.Succeeded());
        const QString context = write.LastFailure().Context;
        QVERIFY2(context.contains(QStringLiteral("refused W 0x0000")) &&
                     context.contains(QStringLiteral("15")),
                 qPrintable(context));
        QVERIFY(write.OkEnabled());
        QCOMPARE(radio.Radio.Memory(), MarkedImage());
        // The write stopped at the first refusal.
        QCOMPARE(radio.Commands(SimCommand::Write).size(), prompts.size());
    }

    // What arrived instead of the acknowledgement is named, not reported as nothing.
    void wrongAcknowledgementIsNamed() {
        ScriptedPeer peer([](ScriptedPeer& p) {
            if (p.Seen.endsWith("PROGRA"))
                p.Pty.Send(HexToBytes("41 42"));
        });
        QVERIFY(peer.Opened);
        LinkCatalogue cat;
        ScriptedPrompter prompter;
        prompter.Answers = {Prompter::Cancel};
        ReadOperation read(cat.Models, cat.Bands, cat.Messages, prompter);
        read.SetTiming(LinkTiming::Fast());
        read.SetPortName(peer.Pty.SlavePath());
        QVERIFY(read.OpenPort());
        QVERIFY(!RunToEnd(read));
        QCOMPARE(cat.Names(prompter), QStringList{"ComError?"});
        const QString context = read.LastFailure().Context;
        QVERIFY2(context.contains(QStringLiteral("acknowledgement of the handshake; 2 bytes arrived: 41 42")),
                 qPrintable(context));
    }

    // The program end to end: v35sim with an image file, a read and a write, the saved image.
    void againstTheSimulatorProgram() {
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("radio.img"));
        const QString saved = dir.filePath(QStringLiteral("saved.img"));
        QVERIFY(WriteFile(image, KnownImage()));
        SimProcess sim({QStringLiteral("--image"), image, QStringLiteral("--save"), saved});
        QVERIFY2(sim.Path.startsWith(QLatin1String("/dev/")), qPrintable(sim.Path));

        LinkCatalogue cat;
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
