#pragma once

#include "Codeplug.h"

#include "core/MacType.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A .dat file: a 16-byte header, then the blocks a write sends, in memory order, with blank
// records for the spare blocks and 58 blank records for the radio's gap of 59 blocks (so that from
// the message blocks on a record's file offset equals its memory address).
constexpr int kDatHeaderSize = 16;
constexpr int kDatGapRecords = 58;

// The header as the file holds it.
struct DatHeader {
    QString IdentityText; // bytes 0-4 as characters: "PV35 "
    QString BandText;     // bytes 5-7 as six decimal digits: "400470"
    QString DateText;     // bytes 8-13: "2026-12-09 15:24"
};

// 3232 for V35.
int DatFileSize(const TMacType& model);
// What reading a .dat file may take in: the largest file of the catalogue and a little more, so
// that a file with a few trailing bytes still opens and a huge one is never read whole.
qint64 MaxDatFileBytes(const TMacList& catalogue);
// The header digits of a band: "400.0 - 470.0MHz" gives "400470" (whole MHz, halves upward);
// "000000" for a text that is not a band.
QString DatBandDigits(const QString& bandText);
// The identity the header names: "PV35 " gives "V35".
QString IdentityOfHeader(const QString& identityText);

// The bytes a save writes. The band and model blocks carry plug.BandId, the header the edges of
// bandText; dateText is "yyyy-MM-dd HH:mm".
QByteArray EncodeDatFile(const Codeplug& plug, const TMacType& model, const QString& bandText,
                         const QString& dateText);

enum class DatStatus { Ok, TooShort, UnknownModel, Undecodable };

// What is wrong with a file that does not open, for a message in the user's language.
struct DatProblem {
    qsizetype Bytes = 0; // TooShort: the bytes the file holds
    int Expected = 0;    // TooShort: the bytes a file of its model has (16 without a header)
    QString Identity;    // UnknownModel: the identity the header names, made readable
    int FileOffset = -1; // Undecodable: where the field lies in the file
};

struct DatContents {
    DatHeader Header;
    const TMacType* Model = nullptr; // an entry of the catalogue
    int FileBandId = 0;              // byte 10 of the band block
    Codeplug Plug;                   // Plug.BandId is FileBandId
};

// Reads a whole .dat file; `out` is only written when the result is Ok. vfoFallbackLow stands in
// for a frequency-mode receive frequency the file does not hold; without it, the lower edge of the
// file's own band. `error` says what is wrong, naming the file offset of an undecodable field;
// `problem` holds the same as values.
DatStatus DecodeDatFile(const QByteArray& bytes, const TMacList& catalogue, const TFrqList& bands,
                        std::optional<double> vfoFallbackLow, DatContents& out, QString* error,
                        DatProblem* problem = nullptr);
