// Reading the radio in-process, against the simulator on an in-memory cable: the codeplug that
// arrives, the order of the commands, and every way a read can go wrong.

#include "LinkFixture.h"

#include "link/ReadOperation.h"
#include "sim/VirtualRadio.h"
#include "wire/WireBytes.h"

#include <QElapsedTimer>

namespace {

struct ReadRig {
    ReadRig() {
        Op.SetTiming(LinkTiming::Fast());
        Op.SetDevice(Radio.Port());
        Radio.Radio().SetMemory(KnownImage());
        QObject::connect(&Op, &ReadOperation::readCompleted, &Op, [this](const Codeplug& p) { Program = p; });
    }
    void AddFault(const QString& text) {
        SimFault f;
        QVERIFY2(ParseSimFault(text, f), qPrintable(text));
        Radio.Radio().AddFault(f);
    }
    QList<int> Reads() const {
        QList<int> a;
        for (const SimCommand& c : Radio.Radio().Commands())
            if (c.Type == SimCommand::Read)
                a << c.Address;
        return a;
    }
    int Count(SimCommand::Kind kind) const {
        int n = 0;
        for (const SimCommand& c : Radio.Radio().Commands())
            n += c.Type == kind;
        return n;
    }

    LinkCatalogue Cat;
    ScriptedPrompter Prompts;
    VirtualRadio Radio;
    ReadOperation Op{Cat.Models, Cat.Bands, Cat.Messages, Prompts};
    // The program's data before the read: it may only be replaced by a completed read.
    Codeplug Program = WriteCodeplug();
};

// A radio that answers the handshake and its identity, then never acknowledges anything.
void AnswerOnlyTheHandshake(VirtualLine& line) {
    QIODevice* end = line.RadioEnd();
    end->open(QIODevice::ReadWrite);
    auto* seen = new QByteArray;
    QObject::connect(end, &QIODevice::destroyed, [seen] { delete seen; });
    QObject::connect(end, &QIODevice::readyRead, end, [end, seen] {
        *seen += end->readAll();
        if (seen->endsWith("PROGRA"))
            end->write(HexToBytes("06"));
        if (seen->endsWith(HexToBytes("4D 02")))
            end->write(HexToBytes("50 56 33 35 20 F3 00 00"));
    });
}

} // namespace

class TestRead : public QObject {
    Q_OBJECT

private slots:
    void readGivesTheCodeplugOfTheImage() {
        ReadRig rig;
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(rig.Op.OkEnabled());
        QVERIFY(RunToEnd(rig.Op));
        CompareCodeplugs(rig.Program, KnownCodeplug());
        CompareCodeplugs(rig.Op.Result(), KnownCodeplug());
        QVERIFY(rig.Op.ReadDone());
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ReadOk"});

        QList<SimCommand> expected{{SimCommand::Handshake, -1, true},
                                   {SimCommand::IdentityRequest, -1, true},
                                   {SimCommand::Ack, -1, true}};
        for (const int a : ReadOrder())
            expected << SimCommand{SimCommand::Read, a, true} << SimCommand{SimCommand::Ack, -1, true};
        expected << SimCommand{SimCommand::End, -1, false};
        QCOMPARE(rig.Reads().size(), 138);
        QCOMPARE(rig.Reads(), ReadOrder());
        QTRY_COMPARE(rig.Radio.Radio().Commands(), expected); // the end command is still under way
        QVERIFY(!rig.Radio.Radio().InSession());
        // The dialog closes by itself a moment after a complete read.
        QVERIFY(closing.wait(2000));
    }

    // 138 blocks against a maximum of 136: the bar is full two blocks early and stays so.
    void progressStopsAtItsMaximum() {
        ReadRig rig;
        QList<int> positions;
        connect(&rig.Op, &LinkOperation::progress, this, [&positions](int p, int max) {
            QCOMPARE(max, 136);
            positions << p;
        });
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QList<int> expected{0};
        for (int p = 1; p <= 136; ++p)
            expected << p;
        positions.removeAll(0);
        positions.prepend(0);
        QCOMPARE(positions, expected);
        QCOMPARE(rig.Op.Position(), 136);
        QCOMPARE(rig.Op.Maximum(), 136);
    }

    void blankRadios_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("band");
        QTest::newRow("factory radio, band 247") << RadioSimulator::FactoryImage(247) << 247;
        // Eight 0xFF: taken for a V35; band 0xFF is no band, so the first of the list.
        QTest::newRow("never programmed, identity all 0xFF") << RadioSimulator::BlankImage() << 240;
        QTest::newRow("unknown band id") << RadioSimulator::FactoryImage(0x20) << 240;
    }

    void blankRadios() {
        QFETCH(QByteArray, image);
        QFETCH(int, band);
        ReadRig rig;
        rig.Radio.Radio().SetMemory(image);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QVERIFY(rig.Program.Channels.empty());
        QCOMPARE(rig.Program.BandId, band);
        QCOMPARE(rig.Program.Identity, QStringLiteral("V35"));
    }

    // No acknowledgement, no identity, no (complete) reply to a block command: one second later
    // the Retry/Cancel question. Retry starts again from the handshake; Cancel changes nothing.
    void timeoutsAskRetryOrCancel_data() {
        AddRetryCancelRows({
            {"no acknowledgement to the handshake", "no-ack"},
            {"no identity", "no-identity"},
            {"no reply to a block command", "drop=0x0100"},
            {"a reply cut short", "short=0x0100"},
            {"no reply to the last block command", "drop=0x0C90"},
            {"no reply to the first block command", "drop=0x0000"},
        });
    }

    void timeoutsAskRetryOrCancel() {
        QFETCH(QString, fault);
        QFETCH(bool, retry);
        ReadRig rig;
        rig.AddFault(fault);
        rig.Prompts.Answers = {retry ? Prompter::Retry : Prompter::Cancel};
        QVERIFY(rig.Op.OpenPort());
        QCOMPARE(RunToEnd(rig.Op), retry);
        if (retry) {
            QCOMPARE(rig.Cat.Names(rig.Prompts), (QStringList{"ComError?", "ReadOk"}));
            CompareCodeplugs(rig.Program, KnownCodeplug());
            QCOMPARE(rig.Count(SimCommand::Handshake), 2);
            return;
        }
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError?"});
        QVERIFY(!rig.Op.ReadDone());
        CompareCodeplugs(rig.Program, WriteCodeplug());
        QVERIFY(rig.Op.OkEnabled());
        QVERIFY(rig.Op.LastFailure().Context.contains(QStringLiteral("no reply")));
        // The next attempt gets through.
        rig.Prompts.Log.clear();
        QVERIFY(RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ReadOk"});
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    // A radio that stops answering the computer's acknowledgements must not hang the read.
    void acknowledgementWaitTimesOut() {
        LinkCatalogue cat;
        ScriptedPrompter prompts;
        VirtualLine line;
        AnswerOnlyTheHandshake(line);
        ReadOperation op(cat.Models, cat.Bands, cat.Messages, prompts);
        op.SetTiming(LinkTiming::Fast());
        op.SetDevice(line.ComputerEnd());
        QVERIFY(op.OpenPort());
        QVERIFY(!RunToEnd(op, 5000));
        QCOMPARE(cat.Names(prompts), QStringList{"ComError?"});
        QVERIFY(op.LastFailure().Context.contains(QStringLiteral("acknowledgement")));
    }

    // Failures the worker reports: the information box, no question; nothing handed over.
    void failuresShownAsInformation_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("context");
        QTest::newRow("acknowledgement answered with 0x15") << "nak" << KnownImage() << "ComError"
                                                            << "answered 15";
        QByteArray badTone = KnownImage();
        badTone.replace(0x0018, 2, HexToBytes("12 AB")); // channel 2: a receive tone that is no tone
        badTone.replace(0x0010, 4, HexToBytes("00 00 55 14"));
        QTest::newRow("a tone that cannot be decoded") << "" << badTone << "ComError"
                                                       << "0x0010";
        QTest::newRow("identity of another model")
            << "identity=4142434420F30000" << KnownImage() << "ModError"
            << "41 42 43 44 20 F3 00 00";
    }

    void failuresShownAsInformation() {
        QFETCH(QString, fault);
        QFETCH(QByteArray, image);
        QFETCH(QString, message);
        QFETCH(QString, context);
        ReadRig rig;
        rig.Radio.Radio().SetMemory(image);
        if (!fault.isEmpty())
            rig.AddFault(fault);
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{message});
        QVERIFY2(rig.Op.LastFailure().Context.contains(context), qPrintable(rig.Op.LastFailure().Context));
        QVERIFY(!rig.Op.ReadDone());
        CompareCodeplugs(rig.Program, WriteCodeplug());
        // The dialog stays, OK disabled: the user closes it.
        QTest::qWait(rig.Op.Timings().ReplyTimeoutMs + 100);
        QVERIFY(!rig.Op.OkEnabled());
        QCOMPARE(closing.count(), 0);

        // With the radio put right the next attempt reads it.
        rig.Radio.Radio().ClearFaults();
        rig.Radio.Radio().SetMemory(KnownImage());
        rig.Prompts.Log.clear();
        QVERIFY(RunToEnd(rig.Op));
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    void firstLineErrorRetriesSilently() {
        ReadRig rig;
        rig.AddFault(QStringLiteral("noise=0x0400"));
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ReadOk"});
        QCOMPARE(rig.Count(SimCommand::Handshake), 2);
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    // Only the first line error since the port was opened is retried without a word.
    void laterLineErrorShowsComError() {
        ReadRig rig;
        rig.AddFault(QStringLiteral("noise=0x0400"));
        rig.AddFault(QStringLiteral("noise=0x0500"));
        QSignalSpy ok(&rig.Op, &LinkOperation::okEnabledChanged);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError"});
        QVERIFY(rig.Op.LastFailure().Context.contains(QStringLiteral("line error")));
        CompareCodeplugs(rig.Program, WriteCodeplug());
        // OK comes back a second (here: the shortened reply time-out) later, with no question.
        QVERIFY(!rig.Op.OkEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(rig.Op.OkEnabled(), 3000);
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError"});
        rig.Prompts.Log.clear();
        QVERIFY(RunToEnd(rig.Op));
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    // A pulled cable: no silent retry on a dead line; the read it broke is reported, and the
    // port closed. With the cable back (the port opened again) the read gets through.
    void hungUpLine() {
        ReadRig rig;
        rig.AddFault(QStringLiteral("hangup=0x0100"));
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError"});
        QVERIFY2(rig.Op.LastFailure().Context.contains(QStringLiteral("hung up")) &&
                     rig.Op.LastFailure().Context.contains(QStringLiteral("R 0x0100")),
                 qPrintable(rig.Op.LastFailure().Context));
        QCOMPARE(rig.Count(SimCommand::Handshake), 1);
        QTRY_VERIFY(!rig.Op.PortIsOpen());
        CompareCodeplugs(rig.Program, WriteCodeplug());
        rig.Prompts.Log.clear();
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    void portThatCannotBeOpened() {
        ReadRig rig;
        rig.Op.SetPortName(QStringLiteral("/nonexistent/ttyV35"));
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QVERIFY(!rig.Op.OpenPort());
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"LPortError"});
        // Why, as the system said it: not a cleared "No error".
        QVERIFY2(rig.Op.LastFailure().Context.contains(
                     QStringLiteral("cannot open /nonexistent/ttyV35: No such file or directory")),
                 qPrintable(rig.Op.LastFailure().Context));
        QVERIFY(!rig.Op.OkEnabled());
        QElapsedTimer t;
        t.start();
        QVERIFY(closing.wait(2000));
        QVERIFY(t.elapsed() >= rig.Op.Timings().CloseDelayMs - 5);
        CompareCodeplugs(rig.Program, WriteCodeplug());
    }

    // Cancel part-way: the radio gets its end command, the program keeps its data.
    void cancelPartWay() {
        ReadRig rig;
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QSignalSpy finished(&rig.Op, &LinkOperation::finished);
        connect(&rig.Op, &LinkOperation::progress, &rig.Op, [&rig](int p) {
            if (p == 20)
                rig.Op.cancel();
        });
        QVERIFY(rig.Op.OpenPort());
        rig.Op.start();
        QVERIFY(closing.wait(5000));
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        QCOMPARE(rig.Radio.Radio().Commands().last().Type, SimCommand::End);
        QCOMPARE(rig.Reads().size(), 20);
        QTest::qWait(300);
        QCOMPARE(finished.count(), 0);
        QVERIFY(rig.Prompts.Log.isEmpty());
        QVERIFY(!rig.Op.ReadDone());
        CompareCodeplugs(rig.Program, WriteCodeplug());

        // Shown again, the dialog reads the radio.
        QObject::disconnect(&rig.Op, &LinkOperation::progress, &rig.Op, nullptr);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }

    // A radio that was left in its session (identity refused) gets the end command on closing.
    void closingAfterARefusedIdentityEndsTheSession() {
        ReadRig rig;
        rig.AddFault(QStringLiteral("identity=4142434420F30000"));
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QVERIFY(rig.Radio.Radio().InSession());
        rig.Op.close();
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
    }

    // The radio's own timing: the fixed pauses of a read add up to more than 3.3 s (half a second
    // before the handshake, 10 ms after each of 277 replies, and the short ones).
    void readTakesItsPauses() {
        ReadRig rig;
        rig.Op.SetTiming(LinkTiming());
        QVERIFY(rig.Op.OpenPort());
        QElapsedTimer t;
        t.start();
        QVERIFY(RunToEnd(rig.Op));
        QVERIFY2(t.elapsed() >= 500 + 12 + 20 + 50 + 277 * 10, qPrintable(QString::number(t.elapsed())));
        CompareCodeplugs(rig.Program, KnownCodeplug());
    }
};

QTEST_GUILESS_MAIN(TestRead)
#include "test_read.moc"
