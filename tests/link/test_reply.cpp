// Collecting replies and judging what they say: the reply buffer, the handshake acknowledgement
// and the identity checks of a read and of a write.

#include "LinkFixture.h"

#include "link/Identity.h"
#include "link/ReplyCollector.h"

Q_DECLARE_METATYPE(WriteIdentity)

class TestReply : public QObject {
    Q_OBJECT

private slots:
    // Each chunk is one data event of the port.
    void collector_data() {
        QTest::addColumn<int>("expected");
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("completesAt"); // index of the chunk, -1: never
        QTest::addColumn<QByteArray>("reply");

        const QByteArray twenty = HexToBytes("57 01 00 10 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
        QTest::newRow("split over two events")
            << 20 << QList<QByteArray>{twenty.left(10), twenty.mid(10)} << 1 << twenty;
        QTest::newRow("split over three events, last one byte")
            << 20 << QList<QByteArray>{twenty.left(4), twenty.mid(4, 15), twenty.right(1)} << 2 << twenty;
        QTest::newRow("too few bytes never complete")
            << 20 << QList<QByteArray>{twenty.left(19)} << -1 << QByteArray();
        QTest::newRow("extra bytes of the completing event belong to the reply")
            << 1 << QList<QByteArray>{HexToBytes("00 06")} << 0 << HexToBytes("00 06");
        QTest::newRow("a first byte on its own completes the reply alone")
            << 1 << QList<QByteArray>{HexToBytes("00"), HexToBytes("06")} << 0 << HexToBytes("00");
        QByteArray sixty(60, '\x11');
        QTest::newRow("one reply holds at most 51 bytes")
            << 20 << QList<QByteArray>{sixty} << 0 << sixty.left(51);
        QTest::newRow("bytes beyond the 51st do not count")
            << 60 << QList<QByteArray>{sixty.left(40), sixty.left(20)} << -1 << QByteArray();
        QTest::newRow("an empty event changes nothing")
            << 1 << QList<QByteArray>{QByteArray(), HexToBytes("06")} << 1 << HexToBytes("06");
    }

    void collector() {
        QFETCH(int, expected);
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, completesAt);
        QFETCH(QByteArray, reply);
        ReplyCollector c;
        c.Expect(expected);
        int completed = -1;
        for (int i = 0; i < chunks.size(); ++i)
            if (c.Feed(chunks[i]) && completed < 0) {
                completed = i;
                QCOMPARE(Spaced(c.Reply()), Spaced(reply));
                QCOMPARE(c.ReceivedCount(), 0);
                QVERIFY(!c.Awaiting());
            }
        QCOMPARE(completed, completesAt);
    }

    void nothingAwaitedNothingCollected() {
        ReplyCollector c;
        QVERIFY(!c.Feed(HexToBytes("06")));
        c.Expect(8);
        QVERIFY(c.Feed(HexToBytes("50 56 33 35 20 F3 00 00")));
        // A stray byte after the reply does not complete another one.
        QVERIFY(!c.Feed(HexToBytes("06")));
        c.Expect(2);
        QVERIFY(!c.Feed(HexToBytes("01")));
        c.Reset();
        QVERIFY(!c.Feed(HexToBytes("02 03")));
        QCOMPARE(c.Partial().size(), 0);
    }

    // Byte 0 or byte 1 of the handshake reply, and only of this reply.
    void handshakeAcknowledged_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("06") << HexToBytes("06") << true;
        QTest::newRow("00 06") << HexToBytes("00 06") << true;
        QTest::newRow("06 00") << HexToBytes("06 00") << true;
        QTest::newRow("15") << HexToBytes("15") << false;
        QTest::newRow("00 00 06") << HexToBytes("00 00 06") << false;
        QTest::newRow("nothing") << QByteArray() << false;
    }

    void handshakeAcknowledged() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, accepted);
        QCOMPARE(HandshakeAcknowledged(reply), accepted);
    }

    // A reply of one byte is judged by that byte, never by what an earlier reply left behind.
    void handshakeIgnoresEarlierReplies() {
        ReplyCollector c;
        c.Expect(2);
        QVERIFY(c.Feed(HexToBytes("00 06")));
        c.Expect(1);
        QVERIFY(c.Feed(HexToBytes("15")));
        QVERIFY(!HandshakeAcknowledged(c.Reply()));
    }

    void readIdentity_data() {
        QTest::addColumn<QByteArray>("identity");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("band");
        QTest::newRow("V35 of band 243") << HexToBytes("50 56 33 35 20 F3 00 00") << true << 243;
        QTest::newRow("V35 of band 252") << HexToBytes("50 56 33 35 20 FC 00 00") << true << 252;
        QTest::newRow("eight 0xFF: a blank V35, first band")
            << HexToBytes("FF FF FF FF FF FF FF FF") << true << 240;
        QTest::newRow("four 0xFF in a row") << HexToBytes("FF FF FF FF 20 F3 00 00") << true << 243;
        QTest::newRow("unknown band id gives the first band")
            << HexToBytes("50 56 33 35 20 00 00 00") << true << 240;
        QTest::newRow("the model text elsewhere") << HexToBytes("00 56 33 35 00 F5 00 00") << true << 245;
        QTest::newRow("another model") << HexToBytes("50 56 33 36 20 F3 00 00") << false << 0;
        QTest::newRow("lower case") << HexToBytes("50 76 33 35 20 F3 00 00") << false << 0;
        QTest::newRow("three 0xFF") << HexToBytes("FF FF FF 00 20 F3 00 00") << false << 0;
        // "A5 63 35" holds the hexadecimal digits 5 6 3 3 5 across byte boundaries: no V35.
        QTest::newRow("model text across byte boundaries")
            << HexToBytes("A5 63 35 20 20 F3 00 00") << false << 0;
        QTest::newRow("all zero") << HexToBytes("00 00 00 00 00 00 00 00") << false << 0;
    }

    void readIdentity() {
        QFETCH(QByteArray, identity);
        QFETCH(bool, accepted);
        QFETCH(int, band);
        LinkCatalogue cat;
        const ReadIdentity r = CheckReadIdentity(identity, cat.Models, cat.Bands);
        QCOMPARE(r.Accepted, accepted);
        if (!accepted)
            return;
        QCOMPARE(r.Model, &cat.V35());
        QCOMPARE(r.BandId, band);
    }

    void writeIdentity_data() {
        QTest::addColumn<QByteArray>("identity");
        QTest::addColumn<int>("band");
        QTest::addColumn<WriteIdentity>("verdict");
        QTest::newRow("same band") << HexToBytes("50 56 33 35 20 F3 00 00") << 243 << WriteIdentity::Accepted;
        QTest::newRow("other band") << HexToBytes("50 56 33 35 20 F3 00 00") << 244
                                    << WriteIdentity::WrongBand;
        QTest::newRow("blank radio, any band")
            << HexToBytes("FF FF FF FF FF FF FF FF") << 250 << WriteIdentity::Accepted;
        QTest::newRow("six 0xFF in a row")
            << HexToBytes("50 FF FF FF FF FF FF 00") << 250 << WriteIdentity::Accepted;
        QTest::newRow("five 0xFF: the band counts")
            << HexToBytes("FF FF FF FF FF F4 00 00") << 243 << WriteIdentity::WrongBand;
        QTest::newRow("five 0xFF, its band")
            << HexToBytes("FF FF FF FF FF F3 00 00") << 243 << WriteIdentity::Accepted;
        QTest::newRow("another model of the same band")
            << HexToBytes("41 42 43 44 20 F3 00 00") << 243 << WriteIdentity::WrongModel;
    }

    void writeIdentity() {
        QFETCH(QByteArray, identity);
        QFETCH(int, band);
        QFETCH(WriteIdentity, verdict);
        LinkCatalogue cat;
        QCOMPARE(CheckWriteIdentity(identity, cat.V35(), band), verdict);
    }
};

QTEST_GUILESS_MAIN(TestReply)
#include "test_reply.moc"
