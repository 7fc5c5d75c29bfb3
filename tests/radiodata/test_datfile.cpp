#include "TestBytes.h"
#include "common/Catalogue.h"

#include "core/MacType.h"
#include "radiodata/DatFile.h"

#include <QTest>

namespace {

QString At(const QByteArray& file, int offset, int count = kBlockSize) {
    return Hex(file.mid(offset, count));
}

Codeplug SamplePlug() {
    Codeplug plug;
    ChannelValues one;
    one.RxFrequency = 446.00625;
    one.TxFrequency = 446.00625;
    one.RxTone = QStringLiteral("67.0");
    one.TxTone = QStringLiteral("D023N");
    plug.Channels[1] = one;
    ChannelValues two;
    two.RxFrequency = 446.0125;
    two.TxFrequency = -1.0;
    two.ScanAdd = 0;
    plug.Channels[2] = two;
    plug.Functions.VfoRxFreq = 446.00625;
    plug.Functions.VfoOffset = 5.0;
    plug.Message.LineA = QStringLiteral("HELLO");
    return plug;
}

QByteArray SampleFile() {
    Catalogue c;
    return EncodeDatFile(SamplePlug(), c.V35(), QStringLiteral("400.0 - 470.0MHz"),
                         QStringLiteral("2026-12-09 15:24"));
}

} // namespace

class TestDatFile : public QObject {
    Q_OBJECT

private slots:
    void layoutOfAV35File() {
        const QByteArray file = SampleFile();
        QCOMPARE(file.size(), 3232);
        QCOMPARE(At(file, 0x0000), Hex("50 56 33 35 20 40 04 70 EA 07 0C 09 0F 18 FF FF"));
        QCOMPARE(At(file, 0x0010), Hex("25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF"));
        // No transmit frequency: bytes 4-7 are 0xFF.
        QCOMPARE(At(file, 0x0020), Hex("50 12 60 44 FF FF FF FF FF FF FF FF 02 F1 FF FF"));
        QCOMPARE(At(file, 0x0030), Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(file, 0x0800), Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")); // channel 128
        QCOMPARE(At(file, 0x0810), Hex("FF FF FF FF FF FF FF FF FF FF F3 3A FF FF FF FF"));
        QCOMPARE(At(file, 0x0820), Hex("00 FF 47 05 06 00 00 FF FF 05 FF FF FF FF FF FF"));
        QCOMPARE(At(file, 0x0830), Hex("31 32 33 34 FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(file, 0x0840), Hex("41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(file.mid(0x0850, 0x0BF0 - 0x0850), QByteArray(58 * 16, char(0xFF)));
        QCOMPARE(At(file, 0x0BF0), Hex("48 45 4C 4C 4F FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(file.mid(0x0C00, 48), QByteArray(48, char(0xFF)));
        QCOMPARE(At(file, 0x0C30), Hex("03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(file, 0x0C40), Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(file, 0x0C50), Hex("01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(file, 0x0C60), Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(file, 0x0C70), Hex("50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(file, 0x0C80), Hex("03 FF 00 01 05 00 00 01 01 00 00 06 02 00 01 01"));
        QCOMPARE(At(file, 0x0C90), Hex("44 60 06 25 00 50 00 00 00 00 12 50 FF FF FF FF"));
        Catalogue c;
        QCOMPARE(DatFileSize(c.V35()), 3232);
    }

    void bandDigits_data() {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("400.0 - 470.0MHz") << "400.0 - 470.0MHz"
                                          << "400470" << Hex("40 04 70");
        QTest::newRow(" 27.0 -  72.0MHz") << " 27.0 -  72.0MHz"
                                          << "027072" << Hex("02 70 72");
        QTest::newRow("146.0 - 149.9MHz") << "146.0 - 149.9MHz"
                                          << "146150" << Hex("14 61 50");
        QTest::newRow("halves go upward") << "450.5 - 453.5MHz"
                                          << "451454" << Hex("45 14 54");
        QTest::newRow("not a band") << ""
                                    << "000000" << Hex("00 00 00");
    }
    void bandDigits() {
        QFETCH(QString, band);
        QFETCH(QString, digits);
        QFETCH(QString, bytes);
        QCOMPARE(DatBandDigits(band), digits);
        Catalogue c;
        const QByteArray file = EncodeDatFile(Codeplug{}, c.V35(), band, QStringLiteral("2026-12-09 15:24"));
        QCOMPARE(At(file, 5, 3), bytes);
    }

    void fileComesBack() {
        Catalogue c;
        DatContents contents;
        QString error;
        QCOMPARE(DecodeDatFile(SampleFile(), c.Models, c.Bands, std::nullopt, contents, &error),
                 DatStatus::Ok);
        QCOMPARE(contents.Header.IdentityText, QStringLiteral("PV35 "));
        QCOMPARE(contents.Header.BandText, QStringLiteral("400470"));
        QCOMPARE(contents.Header.DateText, QStringLiteral("2026-12-09 15:24"));
        QCOMPARE(contents.Model, &c.V35());
        QCOMPARE(contents.FileBandId, 243);
        QVERIFY(contents.Plug == SamplePlug());
    }

    void frequencyModeFallback() {
        Catalogue c;
        QByteArray file = SampleFile();
        file.replace(0x0C90, 4, QByteArray(4, char(0xFF)));
        file.replace(0x0810 + 10, 1, QByteArray(1, char(246))); // the file's band: 136.0 - 174.0MHz
        DatContents contents;
        QCOMPARE(DecodeDatFile(file, c.Models, c.Bands, std::nullopt, contents, nullptr), DatStatus::Ok);
        QCOMPARE(contents.Plug.Functions.VfoRxFreq, 136.0);
        QCOMPARE(contents.Plug.BandId, 246);
        QCOMPARE(DecodeDatFile(file, c.Models, c.Bands, 400.0, contents, nullptr), DatStatus::Ok);
        QCOMPARE(contents.Plug.Functions.VfoRxFreq, 400.0);
    }

    void badFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("named");
        const QByteArray good = SampleFile();
        QTest::newRow("empty") << QByteArray() << int(DatStatus::TooShort) << "0 bytes";
        QTest::newRow("header only") << good.left(16) << int(DatStatus::TooShort)
                                     << "16 bytes; a V35 file has 3232";
        QTest::newRow("one byte short") << good.left(3231) << int(DatStatus::TooShort) << "3231 bytes";
        QByteArray other = good;
        other.replace(0, 5, "PX99 ");
        QTest::newRow("unknown identity") << other << int(DatStatus::UnknownModel) << "\"X99\"";
        QByteArray lower = good;
        lower.replace(0, 5, "Pv35 ");
        QTest::newRow("identity in lower case") << lower << int(DatStatus::UnknownModel) << "\"v35\"";
        QByteArray tone = good;
        tone.replace(0x0010 + 8, 2, HexToBytes("12 AB"));
        QTest::newRow("tone field 12 AB") << tone << int(DatStatus::Undecodable)
                                          << "channel 1 (file offset 0x0010): receive tone bytes 12 AB";
        QByteArray vfo = good;
        vfo.replace(0x0C90 + 14, 2, HexToBytes("AB 12"));
        QTest::newRow("frequency-mode tone")
            << vfo << int(DatStatus::Undecodable)
            << "(file offset 0x0C90): frequency-mode transmit tone bytes AB 12";
    }
    void badFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QString, named);
        Catalogue c;
        DatContents contents;
        contents.FileBandId = 99;
        QString error;
        QCOMPARE(int(DecodeDatFile(bytes, c.Models, c.Bands, std::nullopt, contents, &error)), status);
        QVERIFY2(error.contains(named), qPrintable(error));
        QCOMPARE(contents.FileBandId, 99);
        QVERIFY(contents.Plug == Codeplug{});
    }

    void gapRecordsAreNotRead() {
        Catalogue c;
        QByteArray file = SampleFile();
        file.replace(0x0850, 4, HexToBytes("12 AB 12 AB"));
        file.replace(0x0C30, 4, HexToBytes("12 AB 12 AB"));
        DatContents contents;
        QCOMPARE(DecodeDatFile(file, c.Models, c.Bands, std::nullopt, contents, nullptr), DatStatus::Ok);
        QVERIFY(contents.Plug == SamplePlug());
    }
};

QTEST_GUILESS_MAIN(TestDatFile)
#include "test_datfile.moc"
