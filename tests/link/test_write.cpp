// Writing the radio in-process, against the simulator on an in-memory cable: the bytes it leaves
// in the radio, the order of the commands, and every way a write can go wrong.

#include "LinkFixture.h"

#include "link/WriteOperation.h"
#include "sim/VirtualRadio.h"

namespace {

struct WriteRig {
    explicit WriteRig(int radioBand = 243) {
        Op.SetTiming(LinkTiming::Fast());
        Op.SetDevice(Radio.Port());
        Op.SetCodeplug(WriteCodeplug());
        Radio.Radio().SetMemory(MarkedImage(radioBand));
    }
    void AddFault(const QString& text) {
        SimFault f;
        QVERIFY2(ParseSimFault(text, f), qPrintable(text));
        Radio.Radio().AddFault(f);
    }
    QList<int> Writes() const {
        QList<int> a;
        for (const SimCommand& c : Radio.Radio().Commands())
            if (c.Type == SimCommand::Write && c.Answered)
                a << c.Address;
        return a;
    }

    LinkCatalogue Cat;
    ScriptedPrompter Prompts;
    VirtualRadio Radio;
    WriteOperation Op{Cat.Models, Cat.Bands, Cat.Messages, Prompts};
};

// Every block written holds its literal bytes; every byte outside them (upTo: only blocks below
// that address were written) still holds the mark.
void CheckMemory(const QByteArray& memory, int upTo = 0x10000, int radioBand = 243) {
    QByteArray expected = MarkedImage(radioBand);
    for (const auto& [address, bytes] : WrittenBlocks())
        if (address < upTo)
            expected.replace(address, 16, bytes);
    for (int a = 0; a < expected.size(); a += 16)
        QVERIFY2(memory.mid(a, 16) == expected.mid(a, 16),
                 qPrintable(QStringLiteral("block 0x%1: %2, expected %3")
                                .arg(a, 4, 16, QLatin1Char('0'))
                                .arg(Spaced(memory.mid(a, 16)), Spaced(expected.mid(a, 16)))));
}

} // namespace

class TestWrite : public QObject {
    Q_OBJECT

private slots:
    void writeLeavesTheBytesOfTheMap() {
        WriteRig rig;
        QSignalSpy assigned(&rig.Op, &WriteOperation::currentChannelAssigned);
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QVERIFY(rig.Op.OpenPort());
        QCOMPARE(rig.Op.Maximum(), 138);
        QVERIFY(RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"WriteOk"});
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        CheckMemory(rig.Radio.Radio().Memory());

        QList<SimCommand> expected{{SimCommand::Handshake, -1, true},
                                   {SimCommand::IdentityRequest, -1, true},
                                   {SimCommand::Ack, -1, true}};
        for (const int a : WriteOrder())
            expected << SimCommand{SimCommand::Write, a, true};
        expected << SimCommand{SimCommand::End, -1, false};
        QCOMPARE(rig.Writes().size(), 143);
        QCOMPARE(rig.Radio.Radio().Commands(), expected);

        // CurrentChannel 0 became the first channel in use, and the program keeps it.
        QCOMPARE(assigned.count(), 1);
        QCOMPARE(assigned.first().first().toInt(), 3);
        QCOMPARE(rig.Op.Data().Functions.CurrentChannel, 3);
        // The dialog stays open, bar back at its start, OK enabled for another write.
        QCOMPARE(rig.Op.Position(), 0);
        QVERIFY(rig.Op.OkEnabled());
        QTest::qWait(100);
        QCOMPARE(closing.count(), 0);

        // OK again: the same write once more.
        rig.Radio.Radio().SetMemory(MarkedImage());
        rig.Prompts.Log.clear();
        QVERIFY(RunToEnd(rig.Op));
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        CheckMemory(rig.Radio.Radio().Memory());
        QCOMPARE(assigned.count(), 1);
    }

    // With no channel in use 128 blank blocks go out and CurrentChannel 0 is written as 0xFF.
    void noChannelInUse() {
        WriteRig rig;
        Codeplug plug = WriteCodeplug();
        plug.Channels.clear();
        rig.Op.SetCodeplug(plug);
        QSignalSpy assigned(&rig.Op, &WriteOperation::currentChannelAssigned);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        const QByteArray memory = rig.Radio.Radio().Memory();
        QCOMPARE(memory.left(0x0800), QByteArray(0x0800, '\xFF'));
        QCOMPARE(Spaced(memory.mid(0x0C30, 16)), Spaced(QByteArray(16, '\0')));
        QCOMPARE(Spaced(memory.mid(0x0C80, 16)),
                 QStringLiteral("03 FF 00 01 05 00 00 01 01 00 00 06 02 00 01 01"));
        QCOMPARE(assigned.count(), 0);
        QCOMPARE(rig.Op.Data().Functions.CurrentChannel, 0);
    }

    // A current channel already set is left as it is.
    void currentChannelKept() {
        WriteRig rig;
        Codeplug plug = WriteCodeplug();
        plug.Functions.CurrentChannel = 7;
        rig.Op.SetCodeplug(plug);
        QSignalSpy assigned(&rig.Op, &WriteOperation::currentChannelAssigned);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        QCOMPARE(static_cast<quint8>(rig.Radio.Radio().Memory().at(0x0C81)), quint8(0x06));
        QCOMPARE(assigned.count(), 0);
    }

    // What goes out is the data as it was when OK was pressed.
    void snapshotTakenAtStart() {
        WriteRig rig;
        QVERIFY(rig.Op.OpenPort());
        QSignalSpy finished(&rig.Op, &LinkOperation::finished);
        rig.Op.start();
        Codeplug later = WriteCodeplug();
        later.Channels.erase(3);
        later.Message.LineA = QStringLiteral("CHANGED");
        rig.Op.SetCodeplug(later);
        QVERIFY(finished.wait(10000));
        QVERIFY(finished.first().first().toBool());
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        CheckMemory(rig.Radio.Radio().Memory());
    }

    // No acknowledgement, no identity, no reply to a block command: the question after a second.
    void timeoutsAskRetryOrCancel_data() {
        AddRetryCancelRows({
            {"no acknowledgement to the handshake", "no-ack"},
            {"no identity", "no-identity"},
            {"no reply to a block command", "drop=0x0100"},
            // From the 138th block on the bar is full; a failure there is still a failure.
            {"no reply after the last counted block", "drop=0x0C90"},
        });
    }

    void timeoutsAskRetryOrCancel() {
        QFETCH(QString, fault);
        QFETCH(bool, retry);
        WriteRig rig;
        rig.AddFault(fault);
        rig.Prompts.Answers = {retry ? Prompter::Retry : Prompter::Cancel};
        QVERIFY(rig.Op.OpenPort());
        QCOMPARE(RunToEnd(rig.Op), retry);
        if (retry) {
            QCOMPARE(rig.Cat.Names(rig.Prompts), (QStringList{"ComError?", "WriteOk"}));
            QTRY_VERIFY(!rig.Radio.Radio().InSession());
            CheckMemory(rig.Radio.Radio().Memory());
            return;
        }
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError?"});
        QVERIFY(rig.Op.OkEnabled());
        rig.Prompts.Log.clear();
        QVERIFY(RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"WriteOk"});
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        CheckMemory(rig.Radio.Radio().Memory());
    }

    // A radio of another band, or another model: nothing is written, OK stays disabled.
    void radioRefused_data() {
        QTest::addColumn<int>("radioBand");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("band of the radio differs") << 244 << QString() << "FrqError";
        QTest::newRow("band id the list does not know") << 0x20 << QString() << "FrqError";
        QTest::newRow("identity of another model") << 243 << "identity=4142434420F30000"
                                                   << "ModError";
        // Five 0xFF in a row are not a blank radio.
        QTest::newRow("five 0xFF, wrong band") << 243 << "identity=FFFFFFFFFFF40000"
                                               << "FrqError";
    }

    void radioRefused() {
        QFETCH(int, radioBand);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        WriteRig rig(radioBand);
        if (!fault.isEmpty())
            rig.AddFault(fault);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{message});
        QVERIFY(rig.Writes().isEmpty());
        QCOMPARE(rig.Radio.Radio().Memory(), MarkedImage(radioBand));
        QVERIFY(!rig.Op.OkEnabled());
    }

    // A blank radio takes any band.
    void blankRadioTakesAnyBand_data() {
        QTest::addColumn<QString>("identity");
        QTest::newRow("eight 0xFF") << "FFFFFFFFFFFFFFFF";
        QTest::newRow("six 0xFF in a row") << "50FFFFFFFFFFFF00";
    }

    void blankRadioTakesAnyBand() {
        QFETCH(QString, identity);
        WriteRig rig(250);
        rig.AddFault(QStringLiteral("identity=") + identity);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(RunToEnd(rig.Op));
        QTRY_VERIFY(!rig.Radio.Radio().InSession());
        CheckMemory(rig.Radio.Radio().Memory(), 0x10000, 243);
    }

    // Failures after the transfer started: the information box, OK back at once, and the radio
    // holds the blocks written so far.
    void failuresDuringTheTransfer_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("writtenUpTo");
        QTest::addColumn<QString>("context");
        QTest::newRow("acknowledgement answered with 0x15") << "nak" << 0 << "answered 15";
        QTest::newRow("line error") << "noise=0x0400" << 0x0400 << "line error";
        QTest::newRow("pulled cable")
            << "hangup=0x0400" << 0x0400 << "hung up, while awaiting the reply to W 0x0400";
        QTest::newRow("line error at the last block") << "noise=0x0C90" << 0x0C90 << "line error";
    }

    void failuresDuringTheTransfer() {
        QFETCH(QString, fault);
        QFETCH(int, writtenUpTo);
        QFETCH(QString, context);
        WriteRig rig;
        rig.AddFault(fault);
        QVERIFY(rig.Op.OpenPort());
        QVERIFY(!RunToEnd(rig.Op));
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError"});
        QVERIFY2(rig.Op.LastFailure().Context.contains(context), qPrintable(rig.Op.LastFailure().Context));
        QVERIFY(rig.Op.OkEnabled());
        CheckMemory(rig.Radio.Radio().Memory(), writtenUpTo);
        // The time-out that follows a line error asks nothing more.
        QTest::qWait(rig.Op.Timings().ReplyTimeoutMs + 100);
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"ComError"});
    }

    void portThatCannotBeOpened() {
        WriteRig rig;
        rig.Op.SetPortName(QStringLiteral("/nonexistent/ttyV35"));
        QSignalSpy closing(&rig.Op, &LinkOperation::closeRequested);
        QVERIFY(!rig.Op.OpenPort());
        QCOMPARE(rig.Cat.Names(rig.Prompts), QStringList{"LPortError"});
        QVERIFY(closing.wait(2000));
    }

    // Closing part-way: the radio gets its end command and keeps what it got.
    void closePartWay() {
        WriteRig rig;
        connect(&rig.Op, &LinkOperation::progress, &rig.Op, [&rig](int p) {
            if (p == 40)
                rig.Op.close();
        });
        QVERIFY(rig.Op.OpenPort());
        rig.Op.start();
        auto lastCommand = [&rig] {
            const QList<SimCommand> c = rig.Radio.Radio().Commands();
            return c.isEmpty() ? -1 : int(c.last().Type);
        };
        QTRY_COMPARE_WITH_TIMEOUT(lastCommand(), int(SimCommand::End), 5000);
        QVERIFY(!rig.Radio.Radio().InSession());
        QCOMPARE(rig.Writes().size(), 40);
        CheckMemory(rig.Radio.Radio().Memory(), 40 * 16);
        QVERIFY(rig.Prompts.Log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWrite)
#include "test_write.moc"
