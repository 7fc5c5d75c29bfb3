// Channels as CSV in the column layout of the open-source radio programming tools: the export's
// exact text, export -> import giving the same channels, hand-written files in every tone mode,
// and every refusal with its line.

#include "core/Values.h"
#include "radiodata/CodeplugCsv.h"

#include <QTest>

namespace {

const CsvLimits kBand{390.0, 480.0, 128}; // 400-470 MHz with the grid's 10 MHz either side

ChannelValues Channel(double rx, double tx, const QString& rxTone = QString(),
                      const QString& txTone = QString()) {
    ChannelValues ch;
    ch.RxFrequency = rx;
    ch.TxFrequency = tx;
    ch.RxTone = rxTone;
    ch.TxTone = txTone;
    return ch;
}

const char kHeader[] = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                       "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

} // namespace

class TestCodeplugCsv : public QObject {
    Q_OBJECT

private slots:
    // The header and the rows, to the letter, as the other tools expect them.
    void exportText() {
        Codeplug plug;
        plug.Channels[1] = Channel(446.00625, 446.00625);
        ChannelValues tone = Channel(438.5, 431.1, QString(), QStringLiteral("88.5"));
        tone.Power = 0;
        tone.Bandwidth = 0;
        tone.ScanAdd = 0;
        plug.Channels[2] = tone;
        plug.Channels[3] = Channel(462.5625, -1.0, QStringLiteral("D023I"), QString());
        plug.Channels[128] = Channel(400.0, 470.0, QStringLiteral("D754N"), QStringLiteral("D754I"));
        const QStringList lines = QString::fromUtf8(ChannelsToCsv(plug)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(0), QString::fromLatin1(kHeader));
        QCOMPARE(lines.value(1),
                 QStringLiteral("1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,"
                                "High,,,,,"));
        QCOMPARE(lines.value(2),
                 QStringLiteral("2,,438.500000,-,7.400000,Tone,88.5,88.5,023,NN,023,Tone->Tone,NFM,"
                                "5.00,S,Low,,,,,"));
        QCOMPARE(lines.value(3),
                 QStringLiteral("3,,462.562500,off,0.000000,Cross,88.5,88.5,023,NR,023,->DTCS,FM,"
                                "6.25,,High,,,,,"));
        QCOMPARE(lines.value(4),
                 QStringLiteral("128,,400.000000,+,70.000000,DTCS,88.5,88.5,754,RN,754,Tone->Tone,"
                                "FM,5.00,,High,,,,,"));
        QCOMPARE(lines.value(5), QString());
        QCOMPARE(lines.size(), 6);
    }

    // Every tone combination the radio holds survives export -> import, with the other fields.
    void roundTrip() {
        const QStringList tones = {QString(),
                                   QStringLiteral("67.0"),
                                   QStringLiteral("88.5"),
                                   QStringLiteral("D023N"),
                                   QStringLiteral("D023I"),
                                   QStringLiteral("D754N")};
        Codeplug plug;
        int k = 0;
        for (const QString& rx : tones)
            for (const QString& tx : tones) {
                ChannelValues ch =
                    Channel(400.0 + 0.0125 * k, 400.0 + 0.0125 * k + (k % 3 == 0 ? 5.0 : 0.0), rx, tx);
                ch.Power = k % 2;
                ch.Bandwidth = (k / 2) % 2;
                ch.ScanAdd = (k / 3) % 2;
                ch.OptSignal = 1;
                ch.PttId = 1;
                plug.Channels[++k] = ch;
            }
        plug.Channels[100] = Channel(401.0, -1.0, QStringLiteral("D023N"));
        plug.Channels[101] = Channel(395.0, 470.0);         // far apart: split
        plug.Channels[102] = Channel(469.99375, 400.00625); // and the other way
        const CsvChannels back = ChannelsFromCsv(ChannelsToCsv(plug), Codeplug(), kBand);
        QVERIFY2(back.Refused.isEmpty(), qPrintable(CsvRefusalText(back.Refused)));
        QCOMPARE(back.Channels.size(), plug.Channels.size());
        for (const auto& [channel, ch] : plug.Channels)
            QVERIFY2(back.Channels.at(channel) == ch, qPrintable(QString::number(channel)));
    }

    // Files as people and other tools write them.
    void handWritten_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("rxTone");
        QTest::addColumn<QString>("txTone");
        const QByteArray h =
            "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode\n";
        QTest::newRow("no tone") << h + "1,446.00625,,0,,88.5,88.5,023,NN,023,Tone->Tone\n"
                                 << "446.00625"
                                 << "446.00625"
                                 << ""
                                 << "";
        QTest::newRow("Tone") << h + "1,446.00625,,0,Tone,100.0,88.5,023,NN,023,Tone->Tone\n"
                              << "446.00625"
                              << "446.00625"
                              << ""
                              << "100.0";
        QTest::newRow("TSQL takes cToneFreq both ways")
            << h + "1,446.00625,,0,TSQL,100.0,123.0,023,NN,023,Tone->Tone\n"
            << "446.00625"
            << "446.00625"
            << "123.0"
            << "123.0";
        QTest::newRow("DTCS with reversed receive")
            << h + "1,446.00625,,0,DTCS,88.5,88.5,114,NR,023,Tone->Tone\n"
            << "446.00625"
            << "446.00625"
            << "D114I"
            << "D114N";
        QTest::newRow("Tone->Tone") << h + "1,446.00625,,0,Cross,100.0,123.0,023,NN,023,Tone->Tone\n"
                                    << "446.00625"
                                    << "446.00625"
                                    << "123.0"
                                    << "100.0";
        QTest::newRow("Tone->DTCS") << h + "1,446.00625,,0,Cross,100.0,123.0,023,NR,754,Tone->DTCS\n"
                                    << "446.00625"
                                    << "446.00625"
                                    << "D754I"
                                    << "100.0";
        QTest::newRow("DTCS->Tone") << h + "1,446.00625,,0,Cross,100.0,123.0,025,RN,754,DTCS->Tone\n"
                                    << "446.00625"
                                    << "446.00625"
                                    << "123.0"
                                    << "D025I";
        QTest::newRow("DTCS->DTCS") << h + "1,446.00625,,0,Cross,100.0,123.0,025,NN,754,DTCS->DTCS\n"
                                    << "446.00625"
                                    << "446.00625"
                                    << "D754N"
                                    << "D025N";
        QTest::newRow("->Tone") << h + "1,446.00625,,0,Cross,100.0,123.0,025,NN,754,->Tone\n"
                                << "446.00625"
                                << "446.00625"
                                << "123.0"
                                << "";
        QTest::newRow("->DTCS") << h + "1,446.00625,,0,Cross,100.0,123.0,025,NN,754,->DTCS\n"
                                << "446.00625"
                                << "446.00625"
                                << "D754N"
                                << "";
        QTest::newRow("DTCS->") << h + "1,446.00625,,0,Cross,100.0,123.0,025,NN,754,DTCS->\n"
                                << "446.00625"
                                << "446.00625"
                                << ""
                                << "D025N";
        QTest::newRow("plus offset") << h + "1,438.5,+,5,,,,,,,\n"
                                     << "438.50000"
                                     << "443.50000"
                                     << ""
                                     << "";
        QTest::newRow("split") << h + "1,438.5,split,431.1,,,,,,,\n"
                               << "438.50000"
                               << "431.10000"
                               << ""
                               << "";
        QTest::newRow("no transmit drops the transmit tone") << h + "1,438.5,off,0,Tone,100.0,,,,,\n"
                                                             << "438.50000"
                                                             << ""
                                                             << ""
                                                             << "";
        QTest::newRow("BOM, CRLF, reordered and extra columns, other letter case")
            << QByteArray("\xEF\xBB\xBF"
                          "Comment,cTONEFREQ,tone,frequency,Extra,location\r\n"
                          "\"a, quoted \"\"note\"\"\",127.3,TSQL,462.5625,x,7\r\n")
            << "462.56250"
            << "462.56250"
            << "127.3"
            << "127.3";
        QTest::newRow("off the raster is snapped as the grid snaps") << h + "1,446.0065,,,,,,,,,\n"
                                                                     << "446.00625"
                                                                     << "446.00625"
                                                                     << ""
                                                                     << "";
    }
    void handWritten() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, rxTone);
        QFETCH(QString, txTone);
        const CsvChannels got = ChannelsFromCsv(csv, Codeplug(), kBand);
        QVERIFY2(got.Refused.isEmpty(), qPrintable(CsvRefusalText(got.Refused)));
        QCOMPARE(got.Channels.size(), size_t(1));
        const ChannelValues& ch = got.Channels.begin()->second;
        QCOMPARE(FormatFrequency(ch.RxFrequency), rx);
        QCOMPARE(ch.TxFrequency < 0 ? QString() : FormatFrequency(ch.TxFrequency), tx);
        QCOMPARE(ch.RxTone, rxTone);
        QCOMPARE(ch.TxTone, txTone);
    }

    // Mode, skip and power; the fields the format lacks come from the channel imported into.
    void otherFields() {
        Codeplug base;
        ChannelValues kept = Channel(430.0, 430.0);
        kept.OptSignal = 2;
        kept.PttId = 0;
        kept.BusyLock = 2;
        base.Channels[5] = kept;
        const QByteArray csv = "Location,Frequency,Mode,Skip,Power\n"
                               "5,446.00625,NFM,S,1.0W\n"
                               "6,446.0125,FM,,4.5W\n"
                               "7,446.01875,FM,P,low\n";
        const CsvChannels got = ChannelsFromCsv(csv, base, kBand);
        QVERIFY2(got.Refused.isEmpty(), qPrintable(CsvRefusalText(got.Refused)));
        const ChannelValues& five = got.Channels.at(5);
        QCOMPARE(five.Bandwidth, 0);
        QCOMPARE(five.ScanAdd, 0);
        QCOMPARE(five.Power, 0);
        QCOMPARE(five.OptSignal, 2);
        QCOMPARE(five.PttId, 0);
        QCOMPARE(five.BusyLock, 2);
        const ChannelValues fresh;
        const ChannelValues& six = got.Channels.at(6);
        QCOMPARE(six.Bandwidth, 1);
        QCOMPARE(six.ScanAdd, 1);
        QCOMPARE(six.Power, 1);
        QCOMPARE(six.OptSignal, fresh.OptSignal);
        QCOMPARE(six.PttId, fresh.PttId);
        QCOMPARE(six.BusyLock, fresh.BusyLock);
        QCOMPARE(got.Channels.at(7).ScanAdd, 1);
        QCOMPARE(got.Channels.at(7).Power, 0);
    }

    // Rows the radio cannot hold are named with their line; the others are still taken.
    void refusals_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("reason");
        QTest::newRow("location past the last channel")
            << QByteArray("129,446.0,,,,,,,,,,FM")
            << "Location \"129\" is not a channel of this radio (1 to 128)";
        QTest::newRow("location zero") << QByteArray("0,446.0,,,,,,,,,,FM")
                                       << "Location \"0\" is not a channel of this radio (1 to 128)";
        QTest::newRow("frequency outside the band")
            << QByteArray("3,145.5,,,,,,,,,,FM")
            << "the receive frequency 145.50000 MHz is outside this band (390.00000 to 480.00000 MHz)";
        QTest::newRow("transmit outside the band")
            << QByteArray("3,446.0,+,50,,,,,,,,FM")
            << "the transmit frequency 496.00000 MHz is outside this band (390.00000 to 480.00000 MHz)";
        QTest::newRow("not a frequency")
            << QByteArray("3,44x6.5,,,,,,,,,,FM") << "Frequency \"44x6.5\" is not a frequency";
        QTest::newRow("unknown duplex")
            << QByteArray("3,446.0,x,,,,,,,,,FM") << "Duplex \"x\" is not one of \"\", +, -, split, off";
        QTest::newRow("AM") << QByteArray("3,446.0,,,,,,,,,,AM")
                            << "Mode \"AM\" is not one this radio has (FM or NFM)";
        QTest::newRow("DV") << QByteArray("3,446.0,,,,,,,,,,DV")
                            << "Mode \"DV\" is not one this radio has (FM or NFM)";
        QTest::newRow("tone the radio lacks") << QByteArray("3,446.0,,,Tone,69.4,,,,,,FM")
                                              << "rToneFreq \"69.4\" is not a CTCSS tone this radio has";
        QTest::newRow("DCS code the radio lacks") << QByteArray("3,446.0,,,DTCS,,,999,NN,,,FM")
                                                  << "DtcsCode \"999\" is not a DCS code this radio has";
        QTest::newRow("unknown tone mode")
            << QByteArray("3,446.0,,,DTCS-R,,,,,,,FM") << "tone mode \"DTCS-R\" is not one this radio has";
        QTest::newRow("cross mode it cannot hold")
            << QByteArray("3,446.0,,,Cross,,,,,,Tone=>DTCS,FM")
            << "CrossMode \"Tone=>DTCS\" is not one this radio can hold";
        QTest::newRow("cross mode with nothing")
            << QByteArray("3,446.0,,,Cross,,,,,,->,FM") << "CrossMode \"->\" is not one this radio can hold";
        QTest::newRow("polarity") << QByteArray("3,446.0,,,DTCS,,,023,NX,,,FM")
                                  << "DtcsPolarity \"NX\" is not two letters N or R";
        QTest::newRow("same channel twice")
            << QByteArray("1,446.0,,,,,,,,,,FM") << "channel 1 is given a second time";
    }
    void refusals() {
        QFETCH(QByteArray, row);
        QFETCH(QString, reason);
        const QByteArray csv =
            "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode\n"
            "1,438.5,,,,,,,,,,FM\n" +
            row + "\n2,439.0,,,,,,,,,,NFM\n";
        const CsvChannels got = ChannelsFromCsv(csv, Codeplug(), kBand);
        QCOMPARE(got.Refused.size(), 1);
        QCOMPARE(got.Refused.first().Line, 3);
        QCOMPARE(got.Refused.first().Reason, reason);
        QCOMPARE(got.Channels.size(), size_t(2));
        QCOMPARE(CsvRefusalText(got.Refused), QStringLiteral("line 3: ") + reason);
    }

    void headerWithoutLocationOrFrequency() {
        const CsvChannels got = ChannelsFromCsv("Name,Frequency\nx,446.0\n", Codeplug(), kBand);
        QCOMPARE(got.Refused.size(), 1);
        QCOMPARE(got.Refused.first().Line, 1);
        QVERIFY(got.Channels.empty());
        QVERIFY(!ChannelsFromCsv(QByteArray(), Codeplug(), kBand).Refused.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCodeplugCsv)
#include "test_codeplugcsv.moc"
