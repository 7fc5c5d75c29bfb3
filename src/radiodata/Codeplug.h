#pragma once

#include "FunctionSettings.h"
#include "Records.h"

#include <QByteArray>
#include <QString>

#include <map>

// One channel between the channel table and the converter.
struct ChannelValues {
    double RxFrequency = 0.0;
    double TxFrequency = -1.0; // -1.0: no transmit frequency
    QString RxTone;            // empty: no tone
    QString TxTone;
    int Power = 1;
    int Bandwidth = 1;
    int ScanAdd = 1;
    int OptSignal = 1;
    int PttId = 1;
    int BusyLock = 0;

    bool operator==(const ChannelValues& o) const;
};

// Everything a radio holds, as values: what the files, the converter, the link and the simulator
// exchange. Only channels in use are present, keyed by channel number (1..ChannelCount).
struct Codeplug {
    QString Identity = QStringLiteral("V35");
    int BandId = 243;
    std::map<int, ChannelValues> Channels;
    TFun Functions;
    TEnMsg Message;

    bool operator==(const Codeplug&) const = default;
};
