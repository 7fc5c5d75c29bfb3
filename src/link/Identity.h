#pragma once

#include <QByteArray>

class TMacList;
class TMacType;
class TFrqList;

// What the eight identity bytes of a radio (its model block: "P", the model text, the band id at
// byte 5) say about it. Patterns are matched on whole bytes only.

struct ReadIdentity {
    bool Accepted = false;
    const TMacType* Model = nullptr; // the catalogue entry the radio reported
    int BandId = 0;                  // a band of the band list; unknown ids give the first band
};

// A read accepts a radio that names a catalogue model or shows four 0xFF bytes in a row (a blank
// radio, taken as the first model of the catalogue).
ReadIdentity CheckReadIdentity(const QByteArray& identity, const TMacList& catalogue, const TFrqList& bands);

enum class WriteIdentity { Accepted, WrongModel, WrongBand };

// A write accepts a blank radio (six 0xFF bytes in a row) whatever its band; otherwise the radio
// must be of the model written and report the band written.
WriteIdentity CheckWriteIdentity(const QByteArray& identity, const TMacType& model, int bandId);
