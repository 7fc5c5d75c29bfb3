#pragma once

#include "Codeplug.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>

// Channels as CSV in the column layout the open-source radio programming tools share, so that they
// move between this program, those tools and spreadsheets.

// The columns, spelled and ordered as an export writes them.
const QStringList& CsvColumns();

// One line per channel in use, after the header; frequencies with six decimals.
QByteArray ChannelsToCsv(const Codeplug& plug);

// What the channels may hold: the frequencies the grid accepts for the band, and the channel count.
struct CsvLimits {
    double Low = 0.0;
    double High = 0.0;
    int ChannelCount = 128;
};

struct CsvRefusal {
    int Line = 0; // line of the file, counted from 1 (the header is line 1)
    QString Reason;
};

struct CsvChannels {
    std::map<int, ChannelValues> Channels; // the rows that could be taken, by channel number
    QList<CsvRefusal> Refused;
};

// Reads the CSV: columns by their header, in any order and letter case, unknown ones ignored; a
// UTF-8 byte-order mark and CRLF or LF line ends. Fields this radio has and the format lacks
// (signalling, PTT ID, busy lock) come from `base`'s channel of the same number, or the defaults of
// a new channel. A row the radio cannot hold is refused with its line and reason; a file without
// the Location and Frequency columns refuses line 1.
CsvChannels ChannelsFromCsv(const QByteArray& csv, const Codeplug& base, const CsvLimits& limits);

// The refusals as lines of text ("line 4: ...").
QString CsvRefusalText(const QList<CsvRefusal>& refused);
