// The simulated radio at byte level: what it answers, what it ignores, its faults and its timing.

#include "common/Codeplugs.h"
#include "radiodata/MemoryImage.h"
#include "sim/RadioSimulator.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

// The conversation openings, as the computer sends them.
const char* const kHandshake = "02 50 52 4F 47 52 41";
const char* const kSession = "02 50 52 4F 47 52 41 4D 02 06"; // handshake, identity request, first ack

// A memory whose blocks can be told apart: byte i of block k is k + i (mod 256), model block factory.
QByteArray PatternImage() {
    QByteArray image(kImageSize, '\0');
    for (int a = 0; a < kImageSize; ++a)
        image[a] = static_cast<char>((a / 16 + a % 16) & 0xFF);
    image.replace(0x0C70, 16, HexToBytes("50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF"));
    return image;
}

// Feeds the bytes in one piece and returns everything the radio answered.
QByteArray Exchange(RadioSimulator& radio, const QByteArray& in) {
    QByteArray out;
    auto c = QObject::connect(&radio, &RadioSimulator::transmit, [&out](const QByteArray& b) { out += b; });
    radio.Receive(in);
    QObject::disconnect(c);
    return out;
}

QString Spaced(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

private slots:
    void factoryAndBlankImages() {
        const QByteArray factory = RadioSimulator::FactoryImage();
        QCOMPARE(factory.size(), 3232);
        QCOMPARE(Spaced(factory.mid(0x0C70, 16)),
                 QStringLiteral("50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF"));
        QCOMPARE(factory.count('\xFF'), 3232 - 8);
        QCOMPARE(Spaced(RadioSimulator::FactoryImage(247).mid(0x0C70, 8)),
                 QStringLiteral("50 56 33 35 20 F7 00 00"));
        QCOMPARE(RadioSimulator::BlankImage(), QByteArray(3232, '\xFF'));
    }

    void protocol_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("out");

        const QByteArray factory = RadioSimulator::FactoryImage();
        const QByteArray pattern = PatternImage();
        QTest::newRow("handshake is acknowledged") << factory << HexToBytes(kHandshake) << HexToBytes("06");
        QTest::newRow("identity of a factory radio, band 243")
            << factory << HexToBytes("02 50 52 4F 47 52 41 4D 02")
            << HexToBytes("06 50 56 33 35 20 F3 00 00");
        QTest::newRow("a blank radio answers eight 0xFF")
            << RadioSimulator::BlankImage() << HexToBytes("02 50 52 4F 47 52 41 4D 02")
            << HexToBytes("06 FF FF FF FF FF FF FF FF");
        QTest::newRow("read: header, the 16 bytes, then the acknowledgement")
            << pattern << HexToBytes(kSession).append(HexToBytes("52 01 20 10 06"))
            << HexToBytes("06 50 56 33 35 20 F3 00 00 06"
                          "57 01 20 10 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 20 21 06");
        QTest::newRow("write is stored and read back")
            << factory
            << HexToBytes(kSession).append(
                   HexToBytes("57 00 30 10 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF"
                              "52 00 30 10 06"))
            << HexToBytes("06 50 56 33 35 20 F3 00 00 06 06"
                          "57 00 30 10 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 06");
        QTest::newRow("write data may hold protocol bytes")
            << factory
            << HexToBytes(kSession).append(
                   HexToBytes("57 00 00 10 02 50 52 4F 47 52 41 45 06 4D 02 52 57 45 06 02"
                              "52 00 00 10 06"))
            << HexToBytes("06 50 56 33 35 20 F3 00 00 06 06"
                          "57 00 00 10 02 50 52 4F 47 52 41 45 06 4D 02 52 57 45 06 02 06");
        QTest::newRow("nothing is answered before the handshake")
            << factory
            << HexToBytes("52 00 00 10 06 4D 02 57 00 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00")
            << QByteArray();
        QTest::newRow("a broken handshake opens no session")
            << factory << HexToBytes("02 50 52 4F 58 4D 02") << QByteArray();
        QTest::newRow("addresses beyond the memory are not answered")
            << factory << HexToBytes(kHandshake).append(HexToBytes("52 0C A0 10 52 FF F0 10 52 0C 90 10 06"))
            << HexToBytes("06 57 0C 90 10 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 06");
        QTest::newRow("a block length other than 16 is not answered")
            << factory
            << HexToBytes(kHandshake).append(HexToBytes("52 00 00 08 57 00 00 02 AA BB 52 00 00 10 06"))
            << HexToBytes("06 57 00 00 10 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 06");
        QTest::newRow("a read that skips the acknowledgement of the one before")
            << pattern << HexToBytes(kHandshake).append(HexToBytes("52 00 00 10 52 00 10 10 52 00 20 10 06"))
            << HexToBytes("06 57 00 00 10 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
                          "57 00 20 10 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 06");
        QTest::newRow("E ends the session")
            << factory << HexToBytes(kHandshake).append(HexToBytes("45 52 00 00 10 06")) << HexToBytes("06");
        QTest::newRow("a new handshake in the middle of a read starts again")
            << factory
            << HexToBytes(kHandshake)
                   .append(HexToBytes("52 0C 70 10"))
                   .append(HexToBytes(kHandshake))
                   .append(HexToBytes("4D 02"))
            << HexToBytes(
                   "06 57 0C 70 10 50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF 06 50 56 33 35 20 F3 00 "
                   "00");
    }

    void protocol() {
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, out);
        RadioSimulator radio;
        QVERIFY(radio.SetMemory(image));
        QCOMPARE(Spaced(Exchange(radio, in)), Spaced(out));
        // The same bytes one at a time give the same answer.
        RadioSimulator again;
        QVERIFY(again.SetMemory(image));
        QByteArray bytewise;
        connect(&again, &RadioSimulator::transmit, this, [&bytewise](const QByteArray& b) { bytewise += b; });
        for (const char c : in)
            again.Receive(QByteArray(1, c));
        QCOMPARE(Spaced(bytewise), Spaced(out));
    }

    void memoryOnlyTakesAWholeImage() {
        RadioSimulator radio;
        QVERIFY(!radio.SetMemory(QByteArray(3231, '\0')));
        QVERIFY(!radio.SetMemory(QByteArray(3233, '\0')));
        QCOMPARE(radio.Memory(), RadioSimulator::FactoryImage());
    }

    void faults_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("block0"); // memory at 0x0000 afterwards
        QTest::addColumn<int>("faultsLeft");

        const QByteArray blank = HexToBytes("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
        const QByteArray data = HexToBytes("00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF");
        const QByteArray write0 = HexToBytes("57 00 00 10") + data;
        QTest::newRow("silent answers nothing, and stays")
            << QStringList{"silent"} << HexToBytes(kSession) + write0 + HexToBytes(kHandshake) << QByteArray()
            << blank << 1;
        QTest::newRow("no-ack leaves one handshake unanswered")
            << QStringList{"no-ack"} << HexToBytes(kHandshake) + HexToBytes("4D 02") + HexToBytes(kHandshake)
            << HexToBytes("06") << blank << 0;
        QTest::newRow("no-identity leaves one identity request unanswered")
            << QStringList{"no-identity"} << HexToBytes(kHandshake) + HexToBytes("4D 02 4D 02")
            << HexToBytes("06 50 56 33 35 20 F3 00 00") << blank << 0;
        QTest::newRow("nak answers one acknowledgement with 0x15")
            << QStringList{"nak"} << HexToBytes(kSession) + HexToBytes("06")
            << HexToBytes("06 50 56 33 35 20 F3 00 00 15 06") << blank << 0;
        QTest::newRow("identity replaces the identity reply, and stays")
            << QStringList{"identity=4142434420F40000"} << HexToBytes(kHandshake) + HexToBytes("4D 02 4D 02")
            << HexToBytes("06 41 42 43 44 20 F4 00 00 41 42 43 44 20 F4 00 00") << blank << 1;
        QTest::newRow("drop: no reply to the read at its address, once")
            << QStringList{"drop=0x0000"} << HexToBytes(kHandshake) + HexToBytes("52 00 00 10 52 00 00 10 06")
            << HexToBytes("06 57 00 00 10") + blank + HexToBytes("06") << blank << 0;
        QTest::newRow("drop: a write at its address is lost")
            << QStringList{"drop=0"} << HexToBytes(kHandshake) + write0 << HexToBytes("06") << blank << 0;
        QTest::newRow("drop elsewhere does not fire")
            << QStringList{"drop=0x0010"} << HexToBytes(kHandshake) + write0 << HexToBytes("06 06") << data
            << 1;
        QTest::newRow("short: ten bytes of the read reply")
            << QStringList{"short=0x0000"} << HexToBytes(kHandshake) + HexToBytes("52 00 00 10 06")
            << HexToBytes("06 57 00 00 10 FF FF FF FF FF FF 06") << blank << 0;
        QTest::newRow("short: a write is stored but not answered")
            << QStringList{"short=0x0000"} << HexToBytes(kHandshake) + write0 << HexToBytes("06") << data
            << 0;
        QTest::newRow("stray: one 0x00 in front of the read reply, once")
            << QStringList{"stray=0x0000"}
            << HexToBytes(kHandshake) + HexToBytes("52 00 00 10 06 52 00 00 10")
            << HexToBytes("06 00 57 00 00 10") + blank + HexToBytes("06 57 00 00 10") + blank << blank << 0;
        QTest::newRow("next: the read is answered with the block after it")
            << QStringList{"next=0x0000"} << HexToBytes(kHandshake) + write0 + HexToBytes("52 00 00 10")
            << HexToBytes("06 06 57 00 10 10") + blank << data << 0;
        QTest::newRow("nak-write refuses every write, and stays")
            << QStringList{"nak-write"}
            << HexToBytes(kHandshake) + write0 + write0 + HexToBytes("52 00 00 10")
            << HexToBytes("06 15 15 57 00 00 10") + blank << blank << 1;
        QTest::newRow("two drops at one address fire twice")
            << QStringList{"drop=0x0000", "drop=0x0000"} << HexToBytes(kHandshake) + write0 + write0 + write0
            << HexToBytes("06 06") << data << 0;
    }

    void faults() {
        QFETCH(QStringList, faults);
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, block0);
        QFETCH(int, faultsLeft);
        RadioSimulator radio;
        for (const QString& f : faults) {
            SimFault fault;
            QVERIFY2(ParseSimFault(f, fault), qPrintable(f));
            radio.AddFault(fault);
        }
        QCOMPARE(Spaced(Exchange(radio, in)), Spaced(out));
        QCOMPARE(Spaced(radio.Memory().left(16)), Spaced(block0));
        QCOMPARE(radio.Faults().size(), faultsLeft);
    }

    // The duplicate acknowledgement comes in a piece of its own, a moment after the first.
    void dupAckComesLate() {
        RadioSimulator radio;
        SimFault f;
        QVERIFY(ParseSimFault(QStringLiteral("dup-ack"), f));
        radio.AddFault(f);
        QSignalSpy sent(&radio, &RadioSimulator::transmit);
        radio.Receive(HexToBytes(kHandshake));
        QCOMPARE(sent.count(), 1);
        QCOMPARE(Spaced(sent.at(0).at(0).toByteArray()), QStringLiteral("06"));
        QVERIFY(sent.wait(1000));
        QCOMPARE(Spaced(sent.at(1).at(0).toByteArray()), QStringLiteral("06"));
        QVERIFY(radio.Faults().isEmpty());
        // Spent: the next handshake is acknowledged once.
        QCOMPARE(Spaced(Exchange(radio, HexToBytes(kHandshake))), QStringLiteral("06"));
        QVERIFY(!sent.wait(100));
    }

    void hangupAndNoiseAskTheLine_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("hangup");
        QTest::newRow("hangup") << QStringLiteral("hangup=0x0800") << true;
        QTest::newRow("noise") << QStringLiteral("noise=0x0800") << false;
    }

    void hangupAndNoiseAskTheLine() {
        QFETCH(QString, fault);
        QFETCH(bool, hangup);
        RadioSimulator radio;
        SimFault f;
        QVERIFY(ParseSimFault(fault, f));
        radio.AddFault(f);
        QSignalSpy hangups(&radio, &RadioSimulator::hangupRequested);
        QSignalSpy noises(&radio, &RadioSimulator::noiseRequested);
        QCOMPARE(Spaced(Exchange(radio, HexToBytes(kHandshake) + HexToBytes("52 08 00 10"))),
                 QStringLiteral("06"));
        QCOMPARE(hangups.count(), hangup ? 1 : 0);
        QCOMPARE(noises.count(), hangup ? 0 : 1);
        // A hung-up radio has lost its session; after noise it carries on.
        QCOMPARE(radio.InSession(), !hangup);
        QVERIFY(radio.Faults().isEmpty());
    }

    void parseFaults_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("address");
        QTest::newRow("silent") << "silent" << true << int(SimFault::Silent) << -1;
        QTest::newRow("no-ack") << "no-ack" << true << int(SimFault::NoAck) << -1;
        QTest::newRow("NAK upper case") << "NAK" << true << int(SimFault::Nak) << -1;
        QTest::newRow("drop hex") << "drop=0x0C90" << true << int(SimFault::Drop) << 0x0C90;
        QTest::newRow("short decimal") << "short=256" << true << int(SimFault::Short) << 256;
        QTest::newRow("hangup") << "hangup=0x0800" << true << int(SimFault::Hangup) << 0x0800;
        QTest::newRow("noise") << "noise=0x0000" << true << int(SimFault::Noise) << 0;
        QTest::newRow("identity") << "identity=5056333520F30000" << true << int(SimFault::Identity) << -1;
        QTest::newRow("dup-ack") << "dup-ack" << true << int(SimFault::DupAck) << -1;
        QTest::newRow("stray") << "stray=0x0010" << true << int(SimFault::Stray) << 0x0010;
        QTest::newRow("next") << "next=16" << true << int(SimFault::Next) << 0x0010;
        QTest::newRow("nak-write") << "nak-write" << true << int(SimFault::NakWrite) << -1;
        QTest::newRow("drop without address") << "drop" << false << 0 << 0;
        QTest::newRow("address past the memory") << "drop=0x0CA0" << false << 0 << 0;
        QTest::newRow("negative address") << "drop=-16" << false << 0 << 0;
        QTest::newRow("address not a number") << "short=0x12G" << false << 0 << 0;
        QTest::newRow("identity too short") << "identity=5056" << false << 0 << 0;
        QTest::newRow("identity not hex") << "identity=5056333520F3000Z" << false << 0 << 0;
        QTest::newRow("silent with a value") << "silent=1" << false << 0 << 0;
        QTest::newRow("unknown") << "smoke" << false << 0 << 0;
    }

    void parseFaults() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, kind);
        QFETCH(int, address);
        SimFault fault;
        QString error;
        QCOMPARE(ParseSimFault(text, fault, &error), ok);
        if (!ok) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(int(fault.Type), kind);
        QCOMPARE(fault.Address, address);
        SimFault again;
        QVERIFY(ParseSimFault(SimFaultText(fault), again));
        QCOMPARE(again, fault);
    }

    void recordsCommandsAndWriteSessions() {
        RadioSimulator radio;
        QSignalSpy ended(&radio, &RadioSimulator::sessionEnded);
        Exchange(radio, HexToBytes(kSession) +
                            HexToBytes("57 00 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                       "57 0C 90 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                       "52 0C 80 10 06 45"));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 2);
        const QList<SimCommand> expected{
            {SimCommand::Handshake, -1, true}, {SimCommand::IdentityRequest, -1, true},
            {SimCommand::Ack, -1, true},       {SimCommand::Write, 0x0000, true},
            {SimCommand::Write, 0x0C90, true}, {SimCommand::Read, 0x0C80, true},
            {SimCommand::Ack, -1, true},       {SimCommand::End, -1, false},
        };
        QCOMPARE(radio.Commands(), expected);
        // A read-only session saves nothing.
        Exchange(radio, HexToBytes(kSession) + HexToBytes("52 0C 80 10 06 45"));
        QCOMPARE(ended.count(), 1);
    }

    // With pacing every byte takes 11/9600 s on the line, in both directions.
    void pacingTakesTheLineTime_data() {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<int>("replyBytes");
        QTest::addColumn<int>("byteTimes"); // until the last byte of the reply has arrived
        QTest::newRow("handshake: 7 bytes in, 1 out") << HexToBytes(kHandshake) << 1 << 8;
        // The computer sends all 14 bytes at once. The identity reply starts when "4D 02" is in
        // (9), the acknowledgement's answer waits for it (18), the read reply starts after that.
        QTest::newRow("session and block read")
            << HexToBytes(kSession).append(HexToBytes("52 00 00 10")) << 1 + 8 + 1 + 20 << 9 + 8 + 1 + 20;
    }

    void pacingTakesTheLineTime() {
        QFETCH(QByteArray, in);
        QFETCH(int, replyBytes);
        QFETCH(int, byteTimes);
        RadioSimulator radio;
        radio.SetPaced(true);
        QByteArray out;
        connect(&radio, &RadioSimulator::transmit, this, [&out](const QByteArray& b) { out += b; });
        QElapsedTimer clock;
        clock.start();
        radio.Receive(in);
        QVERIFY(out.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(out.size(), replyBytes, 2000);
        const double lineMs = byteTimes * 11.0 * 1000.0 / 9600.0;
        QVERIFY2(clock.elapsed() >= qint64(lineMs), qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(clock.elapsed() < lineMs + 1000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"
