#pragma once

// Codeplugs the codec, JSON, link and simulator tests share, and bytes written as hexadecimal.

#include "radiodata/Codeplug.h"

#include <QByteArray>

// "25 06 60 44 ..." as bytes; the tests write every layout as literal hexadecimal.
inline QByteArray HexToBytes(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
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
        const QByteArray b = HexToBytes(hex);
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
