#include "TestBytes.h"

#include "core/Values.h"
#include "radiodata/WriteRead.h"

#include <QTest>

Q_DECLARE_METATYPE(ChannelValues)

namespace {

ChannelValues Channel(double rx, double tx, const char* rxTone, const char* txTone, int power, int bandwidth,
                      int scanAdd, int optSignal, int pttId, int busyLock) {
    ChannelValues v;
    v.RxFrequency = rx;
    v.TxFrequency = tx;
    v.RxTone = QString::fromLatin1(rxTone);
    v.TxTone = QString::fromLatin1(txTone);
    v.Power = power;
    v.Bandwidth = bandwidth;
    v.ScanAdd = scanAdd;
    v.OptSignal = optSignal;
    v.PttId = pttId;
    v.BusyLock = busyLock;
    return v;
}

QString Describe(const ChannelValues& v) {
    return QStringLiteral("%1/%2 %3/%4 P%5 B%6 S%7 O%8 T%9 L%10")
        .arg(FormatFrequency(v.RxFrequency), FormatFrequency(v.TxFrequency), v.RxTone, v.TxTone)
        .arg(v.Power)
        .arg(v.Bandwidth)
        .arg(v.ScanAdd)
        .arg(v.OptSignal)
        .arg(v.PttId)
        .arg(v.BusyLock);
}

} // namespace

class TestWriteRead : public QObject {
    Q_OBJECT

private slots:
    void frequencyField_data() {
        QTest::addColumn<double>("mhz");
        QTest::addColumn<QString>("leastFirst");
        QTest::addColumn<QString>("mostFirst");
        QTest::newRow("446.00625") << 446.00625 << Hex("25 06 60 44") << Hex("44 60 06 25");
        QTest::newRow("145.5") << 145.5 << Hex("00 00 55 14") << Hex("14 55 00 00");
        QTest::newRow("67.0 pads to eight digits") << 67.0 << Hex("00 00 70 06") << Hex("06 70 00 00");
        QTest::newRow("0.0") << 0.0 << Hex("00 00 00 00") << Hex("00 00 00 00");
        QTest::newRow("highest that fits") << 999.99999 << Hex("99 99 99 99") << Hex("99 99 99 99");
    }
    void frequencyField() {
        QFETCH(double, mhz);
        QFETCH(QString, leastFirst);
        QFETCH(QString, mostFirst);
        TBlock le, be;
        TBWriteRead::FillBlank(le);
        TBWriteRead::FillBlank(be);
        QVERIFY(TBWriteRead::PutFrequencyLE(le, 4, mhz));
        QVERIFY(TBWriteRead::PutFrequencyBE(be, 4, mhz));
        QCOMPARE(HexBytes(&le[4], 4), leastFirst);
        QCOMPARE(HexBytes(&be[4], 4), mostFirst);
        QCOMPARE(le[3], quint8(0xFF)); // neighbours untouched
        QCOMPARE(le[8], quint8(0xFF));
        double back = -1;
        QVERIFY(TBWriteRead::GetFrequencyLE(le, 4, back));
        QCOMPARE(FrequencyUnits(back), FrequencyUnits(mhz));
        QVERIFY(TBWriteRead::GetFrequencyBE(be, 4, back));
        QCOMPARE(FrequencyUnits(back), FrequencyUnits(mhz));
    }

    void frequencyThatDoesNotFit_data() {
        QTest::addColumn<double>("mhz");
        QTest::newRow("1000 MHz") << 1000.0;
        QTest::newRow("negative") << -0.5;
        QTest::newRow("no transmit marker") << -1.0;
        QTest::newRow("rounds up to 1000 MHz") << 999.999996;
        QTest::newRow("far beyond any integer") << 1e300;
    }
    void frequencyThatDoesNotFit() {
        QFETCH(double, mhz);
        TBlock block;
        TBWriteRead::FillBlank(block);
        QVERIFY(!TBWriteRead::PutFrequencyLE(block, 0, mhz));
        QVERIFY(!TBWriteRead::IsStorableFrequency(mhz));
        QVERIFY(TBWriteRead::IsBlank(block));
    }

    void frequencyFieldWithLetters() {
        double mhz = 12.0;
        QVERIFY(!TBWriteRead::GetFrequencyLE(Block("FF FF FF FF"), 0, mhz));
        QVERIFY(!TBWriteRead::GetFrequencyLE(Block("25 06 60 4A"), 0, mhz));
        QVERIFY(!TBWriteRead::GetFrequencyBE(Block("44 60 0B 25"), 0, mhz));
        QCOMPARE(mhz, 12.0);
    }

    void toneField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lowFirst");
        QTest::addColumn<QString>("highFirst");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("67.0") << "67.0" << Hex("70 06") << Hex("06 70") << "67.0";
        QTest::newRow("254.1") << "254.1" << Hex("41 25") << Hex("25 41") << "254.1";
        QTest::newRow("100.0") << "100.0" << Hex("00 10") << Hex("10 00") << "100.0";
        QTest::newRow("D023N") << "D023N" << Hex("23 80") << Hex("80 23") << "D023N";
        QTest::newRow("D023I") << "D023I" << Hex("23 C0") << Hex("C0 23") << "D023I";
        QTest::newRow("D754I") << "D754I" << Hex("54 C7") << Hex("C7 54") << "D754I";
        QTest::newRow("lower-case n like N") << "D023n" << Hex("23 80") << Hex("80 23") << "D023N";
        QTest::newRow("lower-case i like I") << "D754i" << Hex("54 C7") << Hex("C7 54") << "D754I";
        QTest::newRow("none") << "" << Hex("FF FF") << Hex("FF FF") << "";
    }
    void toneField() {
        QFETCH(QString, text);
        QFETCH(QString, lowFirst);
        QFETCH(QString, highFirst);
        QFETCH(QString, decoded);
        quint16 word = 0;
        QVERIFY(TBWriteRead::ToneWord(text, word));
        TBlock block;
        TBWriteRead::FillBlank(block);
        TBWriteRead::PutToneLE(block, 8, word);
        TBWriteRead::PutToneBE(block, 12, word);
        QCOMPARE(HexBytes(&block[8], 2), lowFirst);
        QCOMPARE(HexBytes(&block[12], 2), highFirst);
        if (!text.isEmpty()) {
            QString back;
            QVERIFY(TBWriteRead::ToneText(TBWriteRead::GetToneLE(block, 8), back));
            QCOMPARE(back, decoded);
            QVERIFY(TBWriteRead::ToneText(TBWriteRead::GetToneBE(block, 12), back));
            QCOMPARE(back, decoded);
        }
    }

    void toneTextsThatCannotBeStored_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("DCS of four characters") << "D23N";
        QTest::newRow("DCS with another suffix") << "D023X";
        QTest::newRow("not a number") << "abc";
        QTest::newRow("above 999.9") << "1000.0";
        QTest::newRow("negative") << "-67.0";
        QTest::newRow("far beyond any integer") << "1e300";
    }
    void toneTextsThatCannotBeStored() {
        QFETCH(QString, text);
        quint16 word = 0x1234;
        QVERIFY(!TBWriteRead::ToneWord(text, word));
    }

    void toneWordsThatCannotBeRead_data() {
        QTest::addColumn<int>("word");
        QTest::newRow("0x12AB") << 0x12AB;
        QTest::newRow("0xFF00") << 0xFF00;
        QTest::newRow("0x00FF") << 0x00FF;
        QTest::newRow("0xA000") << 0xA000;
    }
    void toneWordsThatCannotBeRead() {
        QFETCH(int, word);
        QString text = QStringLiteral("kept");
        QVERIFY(!TBWriteRead::ToneText(static_cast<quint16>(word), text));
    }

    void channelBlockEncode_data() {
        QTest::addColumn<ChannelValues>("values");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("activated channel with 67.0 and D023N")
            << Channel(446.00625, 446.00625, "67.0", "D023N", 1, 1, 1, 1, 1, 0)
            << Hex("25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF");
        QTest::newRow("no transmit frequency, no tones, everything off")
            << Channel(446.00625, -1.0, "", "", 0, 0, 0, 0, 0, 0)
            << Hex("25 06 60 44 FF FF FF FF FF FF FF FF 00 C1 FE FF");
        QTest::newRow("offset pair, D754I and 254.1, FSK, QT/DQT lock")
            << Channel(145.5, 144.9, "D754I", "254.1", 0, 1, 0, 2, 0, 2)
            << Hex("00 00 55 14 00 00 49 14 54 C7 41 25 04 D5 FE FF");
        QTest::newRow("carrier lock, high power, narrow, scan")
            << Channel(462.5625, 467.5625, "D023i", "", 1, 0, 1, 0, 1, 1)
            << Hex("50 62 25 46 50 62 75 46 23 C0 FF FF 00 EB FF FF");
    }
    void channelBlockEncode() {
        QFETCH(ChannelValues, values);
        QFETCH(QString, bytes);
        TBlock block;
        block.fill(0x00);
        QVERIFY(TBWriteRead::EncodeChannel(block, values));
        QCOMPARE(Hex(block), bytes);
    }

    void channelBlockDecode_data() {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<ChannelValues>("values");
        QTest::newRow("the activated channel")
            << "25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF"
            << Channel(446.00625, 446.00625, "67.0", "D023N", 1, 1, 1, 1, 1, 0);
        QTest::newRow("transmit bytes 0xFF: no transmit frequency")
            << "25 06 60 44 FF FF FF FF FF FF FF FF 00 C1 FE FF"
            << Channel(446.00625, -1.0, "", "", 0, 0, 0, 0, 0, 0);
        QTest::newRow("byte 13 0xFF: busy lock 3 becomes 0, the rest on")
            << "25 06 60 44 25 06 60 44 FF FF FF FF 00 FF FE FF"
            << Channel(446.00625, 446.00625, "", "", 1, 1, 1, 0, 0, 0);
        QTest::newRow("byte 12 0xFF: optional signalling 127 becomes DTMF")
            << "25 06 60 44 25 06 60 44 FF FF FF FF FF C1 FF FF"
            << Channel(446.00625, 446.00625, "", "", 0, 0, 0, 1, 1, 0);
        QTest::newRow("a letter in the transmit field")
            << "00 00 55 14 00 00 4B 14 54 C7 41 25 04 D5 FE FF"
            << Channel(145.5, -1.0, "D754I", "254.1", 0, 1, 0, 2, 0, 2);
        QTest::newRow("DCS digits the encoder never writes are kept")
            << "00 00 55 14 FF FF FF FF 89 80 FF FF 00 C1 FE FF"
            << Channel(145.5, -1.0, "D089N", "", 0, 0, 0, 0, 0, 0);
    }
    void channelBlockDecode() {
        QFETCH(QString, bytes);
        QFETCH(ChannelValues, values);
        ChannelValues decoded;
        QCOMPARE(TBWriteRead::DecodeChannel(Block(qPrintable(bytes)), decoded),
                 TBWriteRead::ChannelState::InUse);
        QCOMPARE(Describe(decoded), Describe(values));
        QVERIFY(decoded == values);
    }

    void channelNotInUse_data() {
        QTest::addColumn<QString>("bytes");
        QTest::newRow("empty channel") << "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";
        QTest::newRow("a letter in the receive field") << "25 06 6A 44 25 06 60 44 70 06 23 80 02 F9 FF FF";
        QTest::newRow("a bad tone does not matter when not in use")
            << "FF FF FF FF 25 06 60 44 12 AB 23 80 02 F9 FF FF";
    }
    void channelNotInUse() {
        QFETCH(QString, bytes);
        ChannelValues kept = Channel(1.0, 2.0, "x", "y", 0, 0, 0, 0, 0, 0);
        QCOMPARE(TBWriteRead::DecodeChannel(Block(qPrintable(bytes)), kept),
                 TBWriteRead::ChannelState::NotInUse);
        QCOMPARE(kept.RxTone, QStringLiteral("x"));
    }

    void channelToneThatCannotBeRead_data() {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<QString>("named");
        QTest::newRow("receive 12 AB") << "25 06 60 44 25 06 60 44 12 AB 23 80 02 F9 FF FF"
                                       << "receive tone bytes 12 AB";
        QTest::newRow("transmit AB 12") << "25 06 60 44 25 06 60 44 70 06 AB 12 02 F9 FF FF"
                                        << "transmit tone bytes AB 12";
        QTest::newRow("one 0xFF byte is not 'no tone' in a channel")
            << "25 06 60 44 25 06 60 44 FF 00 23 80 02 F9 FF FF"
            << "receive tone bytes FF 00";
    }
    void channelToneThatCannotBeRead() {
        QFETCH(QString, bytes);
        QFETCH(QString, named);
        ChannelValues kept;
        kept.RxTone = QStringLiteral("kept");
        QString error;
        QCOMPARE(TBWriteRead::DecodeChannel(Block(qPrintable(bytes)), kept, &error),
                 TBWriteRead::ChannelState::Undecodable);
        QVERIFY2(error.contains(named), qPrintable(error));
        QCOMPARE(kept.RxTone, QStringLiteral("kept"));
    }

    // Blocks assembled byte by byte from what the encoder writes in each field; decoding and
    // encoding again must give the same 16 bytes.
    void channelDecodeEncodeGivesTheSameBytes() {
        const char* const rx[] = {"25 06 60 44", "00 00 55 14", "00 00 70 06", "99 99 99 99", "00 00 00 00"};
        const char* const tx[] = {"25 06 60 44", "FF FF FF FF", "00 00 49 14"};
        const char* const tones[] = {"FF FF", "70 06", "41 25", "23 80", "23 C0", "54 C7", "89 80", "00 00"};
        const quint8 opt[] = {0x00, 0x02, 0x04};
        int checked = 0;
        for (const char* r : rx)
            for (const char* t : tx)
                for (const char* rt : tones)
                    for (const char* tt : tones)
                        for (const quint8 o : opt)
                            for (int flags = 0; flags < 16; ++flags)
                                for (int busy = 0; busy < 3; ++busy) {
                                    const QByteArray head =
                                        HexToBytes(r) + HexToBytes(t) + HexToBytes(rt) + HexToBytes(tt);
                                    TBlock block;
                                    for (int i = 0; i < 12; ++i)
                                        block[static_cast<size_t>(i)] = static_cast<quint8>(head.at(i));
                                    block[12] = o;
                                    block[13] = static_cast<quint8>(0xC1 | (flags & 7) << 3 | busy << 1);
                                    block[14] = static_cast<quint8>(0xFE | (flags >> 3));
                                    block[15] = 0xFF;
                                    ChannelValues v;
                                    QCOMPARE(TBWriteRead::DecodeChannel(block, v),
                                             TBWriteRead::ChannelState::InUse);
                                    TBlock again;
                                    QVERIFY(TBWriteRead::EncodeChannel(again, v));
                                    if (again != block)
                                        QFAIL(qPrintable(Hex(block) + QStringLiteral(" came back as ") +
                                                         Hex(again)));
                                    ++checked;
                                }
        QVERIFY(checked > 0);
    }

    void channelValuesThatCannotBeStored() {
        TBlock block;
        QVERIFY(!TBWriteRead::EncodeChannel(block, Channel(1000.0, -1.0, "", "", 1, 1, 1, 1, 1, 0)));
        QVERIFY(!TBWriteRead::EncodeChannel(block, Channel(446.0, -1.0, "D9N", "", 1, 1, 1, 1, 1, 0)));
        QVERIFY(!TBWriteRead::EncodeChannel(block, Channel(446.0, -1.0, "", "", 2, 1, 1, 1, 1, 0)));
        QVERIFY(!TBWriteRead::EncodeChannel(block, Channel(446.0, -1.0, "", "", 1, 1, 1, 3, 1, 0)));
    }

    void defaultFlagAndSettingsBlocks() {
        TFun f;
        f.CurrentChannel = 0;
        TBlock block;
        TBWriteRead::EncodeFlagBlock(block, f);
        QCOMPARE(Hex(block), Hex("00 FF 47 05 06 00 00 FF FF 05 FF FF FF FF FF FF"));
        TBWriteRead::EncodeSettingsBlock(block, f);
        QCOMPARE(Hex(block), Hex("03 FF 00 01 05 00 00 01 01 00 00 06 02 00 01 01"));
    }

    void flagBlock() {
        TFun f;
        f.StartTxFlag = true;
        f.EndTxFlag = true;
        f.ManualSet = true;
        f.WarningPrompt = false;
        f.ScramblerActive = true;
        f.BatterySave = false;
        f.LanguageSelect = 2;
        f.SquelchLevel = 9;
        f.TxTimeout = 0;
        f.VoxLevel = 3;
        f.VoxDelay = 5;
        f.TxFunctionLevel = 0;
        TBlock block;
        TBWriteRead::EncodeFlagBlock(block, f);
        QCOMPARE(Hex(block), Hex("30 FF 92 09 00 03 05 FF FF 00 FF FF FF FF FF FF"));
        TFun back;
        TBWriteRead::DecodeFlagBlock(block, back);
        QVERIFY(back == f);
    }

    void flagBlockStoresWhatItReads() {
        // Out-of-range values are kept for the clamp after a complete read.
        TFun f;
        TBWriteRead::DecodeFlagBlock(Block("FF FF FF 0C 0D 0E 0F FF FF 10"), f);
        QVERIFY(f.StartTxFlag && f.EndTxFlag && f.ManualSet && f.WarningPrompt && f.ScramblerActive &&
                f.BatterySave);
        QCOMPARE(f.LanguageSelect, 3);
        QCOMPARE(f.SquelchLevel, 12);
        QCOMPARE(f.TxTimeout, 13);
        QCOMPARE(f.VoxLevel, 14);
        QCOMPARE(f.VoxDelay, 15);
        QCOMPARE(f.TxFunctionLevel, 16);
    }

    void settingsBlock() {
        TFun f;
        f.ModeFlag = 1;
        f.CurrentChannel = 128;
        f.VoxLevel = 9;
        f.PowerLevel = 0;
        f.SquelchLevel = 2;
        f.ScrSwitch = 1;
        f.LedMode = 2;
        f.LedColor = 0;
        f.KeyBeep = 0;
        f.AniSwitch = 1;
        f.KeyLockMode = 1;
        f.TxTimeout = 9;
        f.ScanMode = 1;
        f.OffsetDirection = 2;
        f.WideNarrow = 0;
        f.PowerOnTone = 0;
        TBlock block;
        TBWriteRead::EncodeSettingsBlock(block, f);
        QCOMPARE(Hex(block), Hex("01 7F 09 00 02 01 02 00 00 01 01 09 01 02 00 00"));
        TFun back;
        TBWriteRead::DecodeSettingsBlock(block, back);
        // The repeated VoxLevel, SquelchLevel and TxTimeout are read from the flag block only.
        QCOMPARE(back.VoxLevel, TFun{}.VoxLevel);
        QCOMPARE(back.SquelchLevel, TFun{}.SquelchLevel);
        QCOMPARE(back.TxTimeout, TFun{}.TxTimeout);
        back.VoxLevel = 9;
        back.SquelchLevel = 2;
        back.TxTimeout = 9;
        QVERIFY(back == f);
    }

    void currentChannel_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("byte");
        QTest::newRow("none is 0xFF") << 0 << 0xFF;
        QTest::newRow("channel 1 is 0x00") << 1 << 0x00;
        QTest::newRow("channel 128 is 0x7F") << 128 << 0x7F;
    }
    void currentChannel() {
        QFETCH(int, channel);
        QFETCH(int, byte);
        TFun f;
        f.CurrentChannel = channel;
        TBlock block;
        TBWriteRead::EncodeSettingsBlock(block, f);
        QCOMPARE(int(block[1]), byte);
        TFun back;
        back.CurrentChannel = 77;
        TBWriteRead::DecodeSettingsBlock(block, back);
        QCOMPARE(back.CurrentChannel, channel);
    }

    void bandAndModelBlocks() {
        TBlock block;
        TBWriteRead::EncodeBandBlock(block, 243);
        QCOMPARE(Hex(block), Hex("FF FF FF FF FF FF FF FF FF FF F3 3A FF FF FF FF"));
        QCOMPARE(TBWriteRead::BandIdOfBandBlock(block), 243);
        TBWriteRead::EncodeBandBlock(block, 0);
        QCOMPARE(Hex(block), Hex("FF FF FF FF FF FF FF FF FF FF 00 3A FF FF FF FF"));
        TBWriteRead::EncodeModelBlock(block, QStringLiteral("V35"), 243);
        QCOMPARE(Hex(block), Hex("50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF"));
        TBWriteRead::EncodeModelBlock(block, QStringLiteral("ABCDEF"), 247);
        QCOMPARE(Hex(block), Hex("50 41 42 43 44 F7 00 00 FF FF FF FF FF FF FF FF"));
    }

    void aniAndNameBlocks() {
        TFun f;
        TBlock block;
        TBWriteRead::EncodeAniBlock(block, f);
        QCOMPARE(Hex(block), Hex("31 32 33 34 FF FF FF FF FF FF FF FF FF FF FF FF"));
        TBWriteRead::EncodeNameBlock(block, f);
        QCOMPARE(Hex(block), Hex("41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF"));

        // Only the digits among the first four bytes make the ANI code.
        TBWriteRead::DecodeAniBlock(Block("31 41 32 FF 35 36"), f);
        QCOMPARE(f.AniCode, QStringLiteral("12"));
        // The name is the first six bytes, 0xFF dropped.
        TBWriteRead::DecodeNameBlock(Block("41 42 FF 43 44 45 46 47"), f);
        QCOMPARE(f.RadioName, QStringLiteral("ABCDE"));
        TBWriteRead::DecodeNameBlock(Block("FF FF FF FF FF FF"), f);
        QCOMPARE(f.RadioName, QString());
    }

    void messageHalves() {
        const QString line = QStringLiteral("ABCDEFGHIJKLMNOPQRST"); // 20 characters
        TBlock first, second;
        TBWriteRead::EncodeTextBlock(first, line.left(16));
        TBWriteRead::EncodeTextBlock(second, line.mid(16, 16));
        QCOMPARE(Hex(first), Hex("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50"));
        QCOMPARE(Hex(second), Hex("51 52 53 54 FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(TBWriteRead::DecodeTextBlock(first) + TBWriteRead::DecodeTextBlock(second), line);
        // 0xFF is dropped wherever it stands.
        QCOMPARE(TBWriteRead::DecodeTextBlock(Block("41 FF 42 20 FF FF 43")), QStringLiteral("AB C"));
        TBlock empty;
        TBWriteRead::EncodeTextBlock(empty, QString());
        QVERIFY(TBWriteRead::IsBlank(empty));
        QCOMPARE(TBWriteRead::DecodeTextBlock(empty), QString());
    }

    void bitsBlock_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("empty") << "" << Hex("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("channels 1, 3, 9 and 10")
            << "1010000011" << Hex("05 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("channel 8 and channel 128") << "00000001" + QString(119, QLatin1Char('0')) + "1"
                                                   << Hex("80 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80");
        QTest::newRow("all 128") << QString(128, QLatin1Char('1'))
                                 << Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
    }
    void bitsBlock() {
        QFETCH(QString, flags);
        QFETCH(QString, bytes);
        TBlock block;
        block.fill(0xAA);
        TBWriteRead::EncodeBitsBlock(block, flags);
        QCOMPARE(Hex(block), bytes);
    }

    void vfoBlock() {
        TFun f;
        f.VfoRxFreq = 446.00625;
        f.VfoOffset = 5.0;
        f.VfoStep = 1;
        f.VfoRxTone = QStringLiteral("D023N");
        f.VfoTxTone = QStringLiteral("67.0");
        TBlock block;
        QVERIFY(TBWriteRead::EncodeVfoBlock(block, f));
        QCOMPARE(Hex(block), Hex("44 60 06 25 00 50 00 00 00 00 06 25 80 23 06 70"));
        TFun back;
        QVERIFY(TBWriteRead::DecodeVfoBlock(block, back, 400.0));
        QVERIFY(back == f);

        f.VfoRxTone.clear();
        f.VfoTxTone.clear();
        f.VfoStep = 4;
        QVERIFY(TBWriteRead::EncodeVfoBlock(block, f));
        QCOMPARE(Hex(block), Hex("44 60 06 25 00 50 00 00 00 00 25 00 FF FF FF FF"));
    }

    void vfoStepCodes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("step");
        QTest::newRow("5K") << "00 00 05 00" << 0;
        QTest::newRow("6.25K") << "00 00 06 25" << 1;
        QTest::newRow("10K") << "00 00 10 00" << 2;
        QTest::newRow("12.5K") << "00 00 12 50" << 3;
        QTest::newRow("25K") << "00 00 25 00" << 4;
        QTest::newRow("unknown gives 12.5K") << "00 00 07 50" << 3;
        QTest::newRow("blank gives 12.5K") << "FF FF FF FF" << 3;
    }
    void vfoStepCodes() {
        QFETCH(QString, code);
        QFETCH(int, step);
        TFun f;
        f.VfoStep = 0;
        QVERIFY(TBWriteRead::DecodeVfoBlock(Block(qPrintable("44 60 06 25 00 50 00 00 " + code)), f, 0.0));
        QCOMPARE(f.VfoStep, step);
    }

    void vfoBlockFallbacks() {
        TFun f;
        QVERIFY(
            TBWriteRead::DecodeVfoBlock(Block("FF FF FF FF 00 5A 00 00 00 00 12 50 80 FF FF 23"), f, 136.0));
        QCOMPARE(f.VfoRxFreq, 136.0); // no frequency: the band's lower edge
        QCOMPARE(f.VfoOffset, 0.0);
        // A single 0xFF byte already means no tone here.
        QCOMPARE(f.VfoRxTone, QString());
        QCOMPARE(f.VfoTxTone, QString());
    }

    void vfoToneThatCannotBeRead() {
        TFun f;
        f.VfoRxFreq = 1.0;
        QString error;
        QVERIFY(!TBWriteRead::DecodeVfoBlock(Block("44 60 06 25 00 50 00 00 00 00 12 50 12 AB 06 70"), f, 0.0,
                                             &error));
        QVERIFY2(error.contains(QStringLiteral("12 AB")), qPrintable(error));
        QCOMPARE(f.VfoRxFreq, 1.0);
    }

    void fileHeader() {
        TBlock block;
        QVERIFY(TBWriteRead::EncodeFileHeader(block, QStringLiteral("PV35"), QStringLiteral("400470"),
                                              QStringLiteral("2026-12-09 15:24")));
        QCOMPARE(Hex(block), Hex("50 56 33 35 20 40 04 70 EA 07 0C 09 0F 18 FF FF"));
        QString identity, band, date;
        TBWriteRead::DecodeFileHeader(block, identity, band, date);
        QCOMPARE(identity, QStringLiteral("PV35 "));
        QCOMPARE(band, QStringLiteral("400470"));
        QCOMPARE(date, QStringLiteral("2026-12-09 15:24"));

        QVERIFY(TBWriteRead::EncodeFileHeader(block, QStringLiteral("PV35"), QStringLiteral("027072"),
                                              QStringLiteral("2001-01-02 03:04")));
        QCOMPARE(Hex(block), Hex("50 56 33 35 20 02 70 72 D1 07 01 02 03 04 FF FF"));
    }

    void hexHelpers() {
        bool ok = false;
        QCOMPARE(TBWriteRead::HexPairToByte(QStringLiteral("F3"), &ok), quint8(0xF3));
        QVERIFY(ok);
        QCOMPARE(TBWriteRead::HexPairToByte(QStringLiteral("3a"), &ok), quint8(0x3A));
        QVERIFY(ok);
        TBWriteRead::HexPairToByte(QStringLiteral("G1"), &ok);
        QVERIFY(!ok);
        TBWriteRead::HexPairToByte(QStringLiteral("123"), &ok);
        QVERIFY(!ok);
        QVERIFY(TBWriteRead::ContainsAnyOf(QStringLiteral("ABCDEF"), QStringLiteral("12A4")));
        QVERIFY(!TBWriteRead::ContainsAnyOf(QStringLiteral("ABCDEF"), QStringLiteral("1234")));
        QVERIFY(!TBWriteRead::ContainsAnyOf(QStringLiteral("ABCDEF"), QString()));
    }
};

QTEST_GUILESS_MAIN(TestWriteRead)
#include "test_writeread.moc"
