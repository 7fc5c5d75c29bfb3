#pragma once

// What the link tests share: the catalogue, a radio memory written out byte by byte with the
// codeplug it holds, and the literal block orders of a read and a write.

#include "common/Catalogue.h"
#include "core/MacType.h"
#include "core/Prompt.h"
#include "lang/Language.h"
#include "link/LinkOperation.h"
#include "radiodata/Codeplug.h"

#include <QByteArray>
#include <QList>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

inline QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QString Spaced(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

// The shared catalogue, and the message boxes a link showed by their catalogue keys.
struct LinkCatalogue : Catalogue {
    // "ComError?" for the Retry/Cancel question, "ReadOk" for an information box, and so on.
    QStringList Names(const ScriptedPrompter& prompts) const {
        const struct {
            const QString* Text;
            const char* Name;
        } known[] = {{&Messages.ComError, "ComError"}, {&Messages.ModError, "ModError"},
                     {&Messages.FrqError, "FrqError"}, {&Messages.ReadOk, "ReadOk"},
                     {&Messages.WriteOk, "WriteOk"},   {&Messages.LPortError, "LPortError"}};
        QStringList names;
        for (const ScriptedPrompter::Shown& s : prompts.Log) {
            QString name = QStringLiteral("unknown: ") + s.Text;
            for (const auto& k : known)
                if (*k.Text == s.Text)
                    name = QLatin1String(k.Name);
            if (s.Caption != Messages.Confirmation)
                name += QStringLiteral(" (caption ") + s.Caption + QLatin1Char(')');
            names << name + (s.Kind == Prompter::RetryCancel ? QStringLiteral("?") : QString());
        }
        return names;
    }
};

// Block addresses in the order the radio must see them.
inline QList<int> ReadOrder() {
    QList<int> a;
    for (int x = 0x0000; x <= 0x07F0; x += 16)
        a << x;
    a << 0x0800 << 0x0810 << 0x0820 << 0x0830 << 0x0BF0 << 0x0C00 << 0x0C10 << 0x0C20 << 0x0C80 << 0x0C90;
    return a;
}

inline QList<int> WriteOrder() {
    QList<int> a;
    for (int x = 0x0000; x <= 0x0830; x += 16)
        a << x;
    for (int x = 0x0BF0; x <= 0x0C90; x += 16)
        a << x;
    return a;
}

// A radio memory written out block by block, with every byte worked out by hand:
//   channel 1   446.00625 both ways, "67.0" / "D023N", high power, wide, scan, DTMF, PTT ID
//   channel 5   145.5 receive only, no tones, everything off, busy lock 1
//   channel 128 462.5625 / 467.5625, "D754I" / "254.1", OptSignal 2, busy lock off
//   flag, ANI "5678", name "RADIO1", message "HELLO WORLD 1234ABCD" / "LINE B",
//   bitmaps with junk (not read), model block of band 245, settings with LedMode 7 (out of range),
//   frequency mode 140.125 MHz, offset 0.6, step 12.5 kHz, "88.5" / "D023N".
inline QByteArray KnownImage() {
    QByteArray image(0x0CA0, '\xFF');
    auto put = [&image](int address, const char* hex) {
        const QByteArray b = Hex(hex);
        image.replace(address, b.size(), b);
    };
    put(0x0000, "25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF");
    put(0x0040, "00 00 55 14 FF FF FF FF FF FF FF FF 00 C3 FE FF");
    put(0x07F0, "50 62 25 46 50 62 75 46 54 C7 41 25 04 F9 FF FF");
    put(0x0800, "FF FF FF FF FF FF FF FF FF FF F5 3A FF FF FF FF");
    put(0x0810, "30 FF 91 03 0A 02 01 FF FF 07 FF FF FF FF FF FF");
    put(0x0820, "35 36 37 38 FF FF FF FF FF FF FF FF FF FF FF FF");
    put(0x0830, "52 41 44 49 4F 31 FF FF FF FF FF FF FF FF FF FF");
    put(0x0BF0, "48 45 4C 4C 4F 20 57 4F 52 4C 44 20 31 32 33 34");
    put(0x0C00, "41 42 43 44 FF FF FF FF FF FF FF FF FF FF FF FF");
    put(0x0C10, "4C 49 4E 45 20 42 FF FF FF FF FF FF FF FF FF FF");
    put(0x0C30, "55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55");
    put(0x0C50, "AA AA AA AA AA AA AA AA AA AA AA AA AA AA AA AA");
    put(0x0C70, "50 56 33 35 20 F5 00 00 FF FF FF FF FF FF FF FF");
    put(0x0C80, "01 04 09 00 09 01 07 00 00 01 01 09 01 02 00 00");
    put(0x0C90, "14 01 25 00 00 06 00 00 00 00 12 50 08 85 80 23");
    return image;
}

inline Codeplug KnownCodeplug() {
    Codeplug p;
    p.Identity = QStringLiteral("V35");
    p.BandId = 245;
    ChannelValues c1;
    c1.RxFrequency = 446.00625;
    c1.TxFrequency = 446.00625;
    c1.RxTone = QStringLiteral("67.0");
    c1.TxTone = QStringLiteral("D023N");
    c1.Power = 1;
    c1.Bandwidth = 1;
    c1.ScanAdd = 1;
    c1.OptSignal = 1;
    c1.PttId = 1;
    c1.BusyLock = 0;
    p.Channels[1] = c1;
    ChannelValues c5;
    c5.RxFrequency = 145.5;
    c5.TxFrequency = -1.0;
    c5.Power = 0;
    c5.Bandwidth = 0;
    c5.ScanAdd = 0;
    c5.OptSignal = 0;
    c5.PttId = 0;
    c5.BusyLock = 1;
    p.Channels[5] = c5;
    ChannelValues c128;
    c128.RxFrequency = 462.5625;
    c128.TxFrequency = 467.5625;
    c128.RxTone = QStringLiteral("D754I");
    c128.TxTone = QStringLiteral("254.1");
    c128.Power = 1;
    c128.Bandwidth = 1;
    c128.ScanAdd = 1;
    c128.OptSignal = 2;
    c128.PttId = 1;
    c128.BusyLock = 0;
    p.Channels[128] = c128;

    TFun& f = p.Functions;
    f.StartTxFlag = true;
    f.EndTxFlag = true;
    f.LanguageSelect = 1;
    f.ManualSet = true;
    f.WarningPrompt = false;
    f.ScramblerActive = true;
    f.BatterySave = false;
    f.SquelchLevel = 3;
    f.TxTimeout = 6; // the radio holds 10, out of range: the read clamps it to the default
    f.VoxLevel = 2;
    f.VoxDelay = 1;
    f.TxFunctionLevel = 7;
    f.AniCode = QStringLiteral("5678");
    f.RadioName = QStringLiteral("RADIO1");
    f.ModeFlag = 1;
    f.CurrentChannel = 5;
    f.PowerLevel = 0;
    f.ScrSwitch = 1;
    f.LedMode = 0; // the radio holds 7, out of range: the default
    f.LedColor = 0;
    f.KeyBeep = 0;
    f.AniSwitch = 1;
    f.KeyLockMode = 1;
    f.ScanMode = 1;
    f.OffsetDirection = 2;
    f.WideNarrow = 0;
    f.PowerOnTone = 0;
    f.VfoRxFreq = 140.125;
    f.VfoOffset = 0.6;
    f.VfoStep = 3;
    f.VfoRxTone = QStringLiteral("88.5");
    f.VfoTxTone = QStringLiteral("D023N");
    p.Message.LineA = QStringLiteral("HELLO WORLD 1234ABCD");
    p.Message.LineB = QStringLiteral("LINE B");
    return p;
}

// Field by field, so that a failure names the field (doubles compared in 10 Hz units).
inline void CompareCodeplugs(const Codeplug& got, const Codeplug& want) {
    QCOMPARE(got.Identity, want.Identity);
    QCOMPARE(got.BandId, want.BandId);
    QCOMPARE(got.Channels.size(), want.Channels.size());
    for (const auto& [k, w] : want.Channels) {
        QVERIFY2(got.Channels.count(k), qPrintable(QStringLiteral("channel %1 missing").arg(k)));
        const ChannelValues& g = got.Channels.at(k);
        QCOMPARE(qRound64(g.RxFrequency * 100000), qRound64(w.RxFrequency * 100000));
        QCOMPARE(qRound64(g.TxFrequency * 100000), qRound64(w.TxFrequency * 100000));
        QCOMPARE(g.RxTone, w.RxTone);
        QCOMPARE(g.TxTone, w.TxTone);
        QCOMPARE(g.Power, w.Power);
        QCOMPARE(g.Bandwidth, w.Bandwidth);
        QCOMPARE(g.ScanAdd, w.ScanAdd);
        QCOMPARE(g.OptSignal, w.OptSignal);
        QCOMPARE(g.PttId, w.PttId);
        QCOMPARE(g.BusyLock, w.BusyLock);
    }
    const TFun& g = got.Functions;
    const TFun& w = want.Functions;
    QCOMPARE(g.ModeFlag, w.ModeFlag);
    QCOMPARE(g.CurrentChannel, w.CurrentChannel);
    QCOMPARE(g.VoxLevel, w.VoxLevel);
    QCOMPARE(g.PowerLevel, w.PowerLevel);
    QCOMPARE(g.SquelchLevel, w.SquelchLevel);
    QCOMPARE(g.ScrSwitch, w.ScrSwitch);
    QCOMPARE(g.LedMode, w.LedMode);
    QCOMPARE(g.LedColor, w.LedColor);
    QCOMPARE(g.KeyBeep, w.KeyBeep);
    QCOMPARE(g.PowerOnTone, w.PowerOnTone);
    QCOMPARE(g.AniSwitch, w.AniSwitch);
    QCOMPARE(g.KeyLockMode, w.KeyLockMode);
    QCOMPARE(g.TxTimeout, w.TxTimeout);
    QCOMPARE(g.ScanMode, w.ScanMode);
    QCOMPARE(g.OffsetDirection, w.OffsetDirection);
    QCOMPARE(g.WideNarrow, w.WideNarrow);
    QCOMPARE(qRound64(g.VfoRxFreq * 100000), qRound64(w.VfoRxFreq * 100000));
    QCOMPARE(qRound64(g.VfoOffset * 100000), qRound64(w.VfoOffset * 100000));
    QCOMPARE(g.VfoStep, w.VfoStep);
    QCOMPARE(g.VfoRxTone, w.VfoRxTone);
    QCOMPARE(g.VfoTxTone, w.VfoTxTone);
    QCOMPARE(g.StartTxFlag, w.StartTxFlag);
    QCOMPARE(g.EndTxFlag, w.EndTxFlag);
    QCOMPARE(g.ManualSet, w.ManualSet);
    QCOMPARE(g.LanguageSelect, w.LanguageSelect);
    QCOMPARE(g.WarningPrompt, w.WarningPrompt);
    QCOMPARE(g.BatterySave, w.BatterySave);
    QCOMPARE(g.ScramblerActive, w.ScramblerActive);
    QCOMPARE(g.VoxDelay, w.VoxDelay);
    QCOMPARE(g.TxFunctionLevel, w.TxFunctionLevel);
    QCOMPARE(g.AniCode, w.AniCode);
    QCOMPARE(g.RadioName, w.RadioName);
    QCOMPARE(got.Message.LineA, want.Message.LineA);
    QCOMPARE(got.Message.LineB, want.Message.LineB);
}

// The data a write test sends, and the bytes it must leave in the radio, worked out by hand:
// channels 3 (446.00625, "67.0"/"D023N", all on) and 7 (145.5 receive only, all off, busy lock 1),
// CurrentChannel 0 (the write makes it 3), default settings, frequency mode 430.0 MHz, offset 5.0,
// "67.0" / "D023I", message line A of 20 characters, band 243.
inline Codeplug WriteCodeplug() {
    Codeplug p;
    p.Identity = QStringLiteral("V35");
    p.BandId = 243;
    ChannelValues c3;
    c3.RxFrequency = 446.00625;
    c3.TxFrequency = 446.00625;
    c3.RxTone = QStringLiteral("67.0");
    c3.TxTone = QStringLiteral("D023N");
    p.Channels[3] = c3;
    ChannelValues c7;
    c7.RxFrequency = 145.5;
    c7.TxFrequency = -1.0;
    c7.Power = 0;
    c7.Bandwidth = 0;
    c7.ScanAdd = 0;
    c7.OptSignal = 0;
    c7.PttId = 0;
    c7.BusyLock = 1;
    p.Channels[7] = c7;
    p.Functions.VfoRxFreq = 430.0;
    p.Functions.VfoOffset = 5.0;
    p.Functions.VfoRxTone = QStringLiteral("67.0");
    p.Functions.VfoTxTone = QStringLiteral("D023I");
    p.Message.LineA = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    return p;
}

// address -> the 16 bytes the write of WriteCodeplug() leaves there.
inline QList<QPair<int, QByteArray>> WrittenBlocks() {
    QList<QPair<int, QByteArray>> blocks;
    for (const int a : WriteOrder())
        blocks.append({a, Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")});
    auto set = [&blocks](int address, const char* hex) {
        for (auto& b : blocks)
            if (b.first == address)
                b.second = Hex(hex);
    };
    set(0x0020, "25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF");
    set(0x0060, "00 00 55 14 FF FF FF FF FF FF FF FF 00 C3 FE FF");
    set(0x0800, "FF FF FF FF FF FF FF FF FF FF F3 3A FF FF FF FF");
    set(0x0810, "00 FF 47 05 06 00 00 FF FF 05 FF FF FF FF FF FF");
    set(0x0820, "31 32 33 34 FF FF FF FF FF FF FF FF FF FF FF FF");
    set(0x0830, "41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF");
    set(0x0BF0, "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50");
    set(0x0C00, "51 52 53 54 FF FF FF FF FF FF FF FF FF FF FF FF");
    set(0x0C30, "44 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    set(0x0C40, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    set(0x0C50, "04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    set(0x0C60, "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    set(0x0C70, "50 56 33 35 20 F3 00 00 FF FF FF FF FF FF FF FF");
    set(0x0C80, "03 02 00 01 05 00 00 01 01 00 00 06 02 00 01 01");
    set(0x0C90, "43 00 00 00 00 50 00 00 00 00 12 50 06 70 C0 23");
    return blocks;
}

// A memory the write must leave alone wherever it writes nothing: 0xA5 everywhere but a factory
// model block of the given band.
inline QByteArray MarkedImage(int bandId = 243) {
    QByteArray image(0x0CA0, '\xA5');
    const QByteArray model = Hex("50 56 33 35 20 00 00 00 FF FF FF FF FF FF FF FF");
    image.replace(0x0C70, 16, model);
    image[0x0C75] = static_cast<char>(bandId);
    return image;
}

// Starts an attempt and waits until the operation says it is over; the result of the last one.
inline bool RunToEnd(LinkOperation& op, int timeoutMs = 20000) {
    QSignalSpy finished(&op, &LinkOperation::finished);
    op.start();
    if (!finished.wait(timeoutMs))
        return false;
    return finished.last().first().toBool();
}

// The time-out rows of a failure table: each fault once answered with Retry, once with Cancel.
struct TimeoutFault {
    const char* Name;
    const char* Fault;
};
inline void AddRetryCancelRows(std::initializer_list<TimeoutFault> rows) {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("retry");
    for (const TimeoutFault& r : rows) {
        QTest::newRow(qPrintable(QStringLiteral("%1, Retry").arg(QLatin1String(r.Name))))
            << QString::fromLatin1(r.Fault) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1, Cancel").arg(QLatin1String(r.Name))))
            << QString::fromLatin1(r.Fault) << false;
    }
}
