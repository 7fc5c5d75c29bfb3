#include "TestBytes.h"
#include "common/Catalogue.h"

#include "core/MacType.h"
#include "radiodata/MemoryImage.h"

#include <QTest>

namespace {

QString At(const QByteArray& image, int address, int count = kBlockSize) {
    return Hex(image.mid(address, count));
}

void Put(QByteArray& image, int address, const char* hex) {
    const QByteArray bytes = HexToBytes(hex);
    image.replace(address, bytes.size(), bytes);
}

QByteArray BlankImage() {
    return QByteArray(kImageSize, char(0xFF));
}

// The blocks a radio at its defaults holds, with two channels.
QByteArray DefaultRadioImage() {
    QByteArray image = BlankImage();
    Put(image, 0x0000, "25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF");
    Put(image, 0x0020, "00 00 55 14 FF FF FF FF 54 C7 FF FF 04 D5 FE FF");
    Put(image, 0x0800, "FF FF FF FF FF FF FF FF FF FF F3 3A FF FF FF FF");
    Put(image, 0x0810, "00 FF 47 05 06 00 00 FF FF 05 FF FF FF FF FF FF");
    Put(image, 0x0820, "31 32 33 34 FF FF FF FF FF FF FF FF FF FF FF FF");
    Put(image, 0x0830, "41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF");
    Put(image, 0x0BF0, "48 45 4C 4C 4F FF FF FF FF FF FF FF FF FF FF FF");
    Put(image, 0x0C10, "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50");
    Put(image, 0x0C20, "51 52 FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
    Put(image, 0x0C80, "03 FF 00 01 05 00 00 01 01 00 00 06 02 00 01 01");
    Put(image, 0x0C90, "44 60 06 25 00 50 00 00 00 00 12 50 FF FF FF FF");
    return image;
}

} // namespace

class TestMemoryImage : public QObject {
    Q_OBJECT

private slots:
    void readAddresses() {
        Catalogue c;
        const QList<int> a = ReadBlockAddresses(c.V35());
        QCOMPARE(a.size(), 138);
        for (int k = 0; k < 128; ++k)
            QCOMPARE(a.at(k), 16 * k);
        const QList<int> rest{0x0800, 0x0810, 0x0820, 0x0830, 0x0BF0, 0x0C00, 0x0C10, 0x0C20, 0x0C80, 0x0C90};
        QCOMPARE(a.mid(128), rest);
    }

    void writeAddresses() {
        Catalogue c;
        const QList<int> a = WriteBlockAddresses(c.V35());
        QCOMPARE(a.size(), 143);
        for (int k = 0; k < 128; ++k)
            QCOMPARE(a.at(k), 16 * k);
        const QList<int> rest{0x0800, 0x0810, 0x0820, 0x0830, 0x0BF0, 0x0C00, 0x0C10, 0x0C20,
                              0x0C30, 0x0C40, 0x0C50, 0x0C60, 0x0C70, 0x0C80, 0x0C90};
        QCOMPARE(a.mid(128), rest);
    }

    void spareBlocksMoveEverythingAfterTheChannels() {
        TMacType m(QStringLiteral("X1"), QStringLiteral("X1"), 128);
        m.SetSpareBlocks(2);
        const QList<int> read = ReadBlockAddresses(m);
        QCOMPARE(read.size(), 138);
        QCOMPARE(read.at(127), 0x07F0);
        QCOMPARE(read.at(128), 0x0820);
        QCOMPARE(read.last(), 0x0CB0);
    }

    void imageFromCodeplug() {
        Catalogue c;
        Codeplug plug;
        ChannelValues one;
        one.RxFrequency = 446.00625;
        one.TxFrequency = 446.00625;
        one.RxTone = QStringLiteral("67.0");
        one.TxTone = QStringLiteral("D023N");
        plug.Channels[1] = one;
        ChannelValues three;
        three.RxFrequency = 145.5;
        three.RxTone = QStringLiteral("D754I");
        three.Power = 0;
        three.ScanAdd = 0;
        three.OptSignal = 2;
        three.PttId = 0;
        three.BusyLock = 2;
        plug.Channels[3] = three;
        ChannelValues last;
        last.RxFrequency = 470.0;
        plug.Channels[128] = last;
        plug.Functions.VfoRxFreq = 446.00625;
        plug.Functions.VfoOffset = 5.0;
        plug.Message.LineA = QStringLiteral("HELLO");
        plug.Message.LineB = QStringLiteral("ABCDEFGHIJKLMNOPQR");

        const QByteArray image = ImageFromCodeplug(plug, c.V35());
        QCOMPARE(image.size(), 3232);
        QCOMPARE(At(image, 0x0000), Hex("25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF"));
        QCOMPARE(At(image, 0x0010), Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0020), Hex("00 00 55 14 FF FF FF FF 54 C7 FF FF 04 D5 FE FF"));
        QCOMPARE(At(image, 0x07F0), Hex("00 00 00 47 FF FF FF FF FF FF FF FF 02 F9 FF FF"));
        QCOMPARE(At(image, 0x0800), Hex("FF FF FF FF FF FF FF FF FF FF F3 3A FF FF FF FF"));
        QCOMPARE(At(image, 0x0810), Hex("00 FF 47 05 06 00 00 FF FF 05 FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0820), Hex("31 32 33 34 FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0830), Hex("41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(image.mid(0x0840, 59 * 16), QByteArray(59 * 16, char(0xFF)));
        QCOMPARE(At(image, 0x0BF0), Hex("48 45 4C 4C 4F FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0C00), Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0C10), Hex("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50"));
        QCOMPARE(At(image, 0x0C20), Hex("51 52 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        // Channels 1, 3 and 128 in use; 1 and 128 scan (3 does not).
        QCOMPARE(At(image, 0x0C30), Hex("05 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80"));
        QCOMPARE(At(image, 0x0C40), Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(image, 0x0C50), Hex("01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80"));
        QCOMPARE(At(image, 0x0C60), Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(At(image, 0x0C70), Hex("50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0C80), Hex("03 FF 00 01 05 00 00 01 01 00 00 06 02 00 01 01"));
        QCOMPARE(At(image, 0x0C90), Hex("44 60 06 25 00 50 00 00 00 00 12 50 FF FF FF FF"));
    }

    void bandAndIdentityGoIntoTheirBlocks() {
        Catalogue c;
        Codeplug plug;
        plug.BandId = 247;
        plug.Identity = QStringLiteral("V35");
        plug.Functions.CurrentChannel = 5;
        const QByteArray image = ImageFromCodeplug(plug, c.V35());
        QCOMPARE(At(image, 0x0800), Hex("FF FF FF FF FF FF FF FF FF FF F7 3A FF FF FF FF"));
        QCOMPARE(At(image, 0x0C70), Hex("50 56 33 35 20 F7 00 00 FF FF FF FF FF FF FF FF"));
        QCOMPARE(At(image, 0x0C81, 1), Hex("04")); // encoded as it stands
        // No channel in use: the bitmaps are all zero.
        QCOMPARE(image.mid(0x0C30, 64), QByteArray(64, '\0'));
    }

    void codeplugFromImage() {
        Catalogue c;
        QByteArray image = DefaultRadioImage();
        // Blocks that a read does not take do not matter.
        Put(image, 0x0840, "12 AB 12 AB");
        Put(image, 0x0C30, "12 AB 12 AB");
        Put(image, 0x0C70, "12 AB 12 AB");
        Codeplug out;
        QString error;
        QVERIFY2(CodeplugFromImage(image, c.V35(), c.Bands, 246, out, &error), qPrintable(error));
        QCOMPARE(out.Identity, QStringLiteral("V35"));
        QCOMPARE(out.BandId, 246);
        QCOMPARE(out.Channels.size(), size_t(2));
        const ChannelValues& one = out.Channels.at(1);
        QCOMPARE(FrequencyUnitsOf(one.RxFrequency), 44600625);
        QCOMPARE(one.TxTone, QStringLiteral("D023N"));
        const ChannelValues& three = out.Channels.at(3);
        QCOMPARE(FrequencyUnitsOf(three.RxFrequency), 14550000);
        QCOMPARE(three.TxFrequency, -1.0);
        QCOMPARE(three.RxTone, QStringLiteral("D754I"));
        QCOMPARE(three.TxTone, QString());
        QCOMPARE(three.BusyLock, 2);
        QCOMPARE(out.Message.LineA, QStringLiteral("HELLO"));
        QCOMPARE(out.Message.LineB, QStringLiteral("ABCDEFGHIJKLMNOPQR"));
        TFun expected;
        expected.VfoRxFreq = 446.00625;
        expected.VfoOffset = 5.0;
        QVERIFY(out.Functions == expected);
    }

    void valuesAreNotClamped() {
        Catalogue c;
        QByteArray image = DefaultRadioImage();
        Put(image, 0x0810, "00 FF 44 05 0C 00 00 FF FF 05");       // LanguageSelect 0, TxTimeout 12
        Put(image, 0x0C80, "09 FF 00 01 05 00 00 07 01 00 00 0C"); // ModeFlag 9, LedColor 7
        Codeplug out;
        QVERIFY(CodeplugFromImage(image, c.V35(), c.Bands, 243, out, nullptr));
        QCOMPARE(out.Functions.LanguageSelect, 0);
        QCOMPARE(out.Functions.TxTimeout, 12);
        QCOMPARE(out.Functions.ModeFlag, 9);
        QCOMPARE(out.Functions.LedColor, 7);
    }

    void frequencyModeFallsBackToTheRadiosBand_data() {
        QTest::addColumn<int>("bandId");
        QTest::addColumn<double>("low");
        QTest::newRow("136.0 - 174.0MHz") << 246 << 136.0;
        QTest::newRow(" 27.0 -  72.0MHz") << 244 << 27.0;
        QTest::newRow("unknown id: the first registered band") << 0 << 406.1;
    }
    void frequencyModeFallsBackToTheRadiosBand() {
        QFETCH(int, bandId);
        QFETCH(double, low);
        Catalogue c;
        QByteArray image = DefaultRadioImage();
        Put(image, 0x0C90, "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
        Codeplug out;
        QVERIFY(CodeplugFromImage(image, c.V35(), c.Bands, bandId, out, nullptr));
        QCOMPARE(out.Functions.VfoRxFreq, low);
        QCOMPARE(out.Functions.VfoOffset, 0.0);
        QCOMPARE(out.Functions.VfoStep, 3);
    }

    void undecodableFieldNamesAddressAndBytes_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("named");
        QTest::newRow("channel 2 receive tone") << 0x0010 << "25 06 60 44 25 06 60 44 12 AB 23 80 02 F9 FF FF"
                                                << "channel 2 (address 0x0010): receive tone bytes 12 AB";
        QTest::newRow("channel 128 transmit tone")
            << 0x07F0 << "25 06 60 44 25 06 60 44 70 06 FF 00 02 F9 FF FF"
            << "channel 128 (address 0x07F0): transmit tone bytes FF 00";
        QTest::newRow("frequency-mode tone") << 0x0C90 << "44 60 06 25 00 50 00 00 00 00 12 50 06 70 AB 12"
                                             << "(address 0x0C90): frequency-mode transmit tone bytes AB 12";
    }
    void undecodableFieldNamesAddressAndBytes() {
        QFETCH(int, address);
        QFETCH(QString, block);
        QFETCH(QString, named);
        Catalogue c;
        QByteArray image = DefaultRadioImage();
        Put(image, address, qPrintable(block));
        Codeplug out;
        out.BandId = 7;
        out.Message.LineA = QStringLiteral("untouched");
        const Codeplug before = out;
        QString error;
        QVERIFY(!CodeplugFromImage(image, c.V35(), c.Bands, 243, out, &error));
        QVERIFY2(error.contains(named), qPrintable(error));
        QVERIFY(out == before);
    }

    void shortImageIsRefused() {
        Catalogue c;
        Codeplug out;
        const Codeplug before = out;
        QString error;
        QVERIFY(!CodeplugFromImage(DefaultRadioImage().left(3231), c.V35(), c.Bands, 243, out, &error));
        QVERIFY(error.contains(QStringLiteral("3231")));
        QVERIFY(out == before);
        QVERIFY(!CodeplugFromImage(QByteArray(), c.V35(), c.Bands, 243, out, &error));
    }

    void codeplugSurvivesTheImage() {
        Catalogue c;
        Codeplug plug;
        plug.BandId = 251;
        for (int k = 1; k <= 128; k += 9) {
            ChannelValues v;
            v.RxFrequency = 440.0 + k * 0.0125;
            v.TxFrequency = k % 2 ? -1.0 : 445.0 + k * 0.00625;
            v.RxTone = k % 3 ? QStringLiteral("88.5") : QStringLiteral("D311I");
            v.TxTone = k % 4 ? QString() : QStringLiteral("D023N");
            v.Power = k % 2;
            v.Bandwidth = (k / 2) % 2;
            v.ScanAdd = (k / 3) % 2;
            v.OptSignal = k % 3;
            v.PttId = (k / 5) % 2;
            v.BusyLock = (k / 7) % 3;
            plug.Channels[k] = v;
        }
        TFun& f = plug.Functions;
        f.ModeFlag = 0;
        f.CurrentChannel = 10;
        f.VoxLevel = 4;
        f.LedColor = 2;
        f.VfoRxFreq = 145.5;
        f.VfoOffset = 0.6;
        f.VfoStep = 0;
        f.VfoRxTone = QStringLiteral("D754I");
        f.VfoTxTone = QStringLiteral("254.1");
        f.StartTxFlag = true;
        f.LanguageSelect = 1;
        f.BatterySave = false;
        f.VoxDelay = 5;
        f.AniCode = QStringLiteral("907");
        f.RadioName = QStringLiteral("BASE1");
        plug.Message.LineA = QString(32, QLatin1Char('A'));
        plug.Message.LineB = QStringLiteral("Line b 17 chars x");
        Codeplug back;
        QString error;
        QVERIFY2(CodeplugFromImage(ImageFromCodeplug(plug, c.V35()), c.V35(), c.Bands, 251, back, &error),
                 qPrintable(error));
        QVERIFY(back == plug);
    }

private:
    static qint64 FrequencyUnitsOf(double mhz) { return qRound64(mhz * 100000.0); }
};

QTEST_GUILESS_MAIN(TestMemoryImage)
#include "test_memoryimage.moc"
