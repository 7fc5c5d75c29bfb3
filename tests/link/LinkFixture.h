#pragma once

// What the link tests share: the catalogue, the known radio memory and its codeplug, and the
// literal block orders of a read and a write.

#include "common/Catalogue.h"
#include "common/Codeplugs.h"
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
        blocks.append({a, HexToBytes("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")});
    auto set = [&blocks](int address, const char* hex) {
        for (auto& b : blocks)
            if (b.first == address)
                b.second = HexToBytes(hex);
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
    const QByteArray model = HexToBytes("50 56 33 35 20 00 00 00 FF FF FF FF FF FF FF FF");
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
