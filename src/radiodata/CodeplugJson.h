#pragma once

#include "Codeplug.h"

#include "core/MacType.h"

#include <QByteArray>
#include <QString>

// The readable, diffable form of a codeplug (format "v35-codeplug", version 1): the model's
// identity, the band text, the date the file was saved, the channels in use (one line each), every
// function setting by its field name and the two message lines.

// A codeplug's JSON form is some 60 KB at most; input far beyond that is not one.
constexpr qint64 kMaxCodeplugJsonBytes = 4 * 1024 * 1024;

// The band text of an id the band table holds; empty for any other id.
QString KnownBandText(const TFrqList& bands, int id);

// savedText: the date of the .dat header ("2026-12-09 15:24"); empty gives null.
QByteArray CodeplugToJson(const Codeplug& plug, const TFrqList& bands, const QString& savedText);

// Reads the JSON form. Refuses, naming the key and the value, an unknown key, a channel number
// outside the model's channels or given twice, a list index outside its list, a tone that is not
// in the tone notation, a frequency that is not a number, is negative or is not below 1000 MHz, a
// model or band text not in the tables, a message line over 32 characters, and a function setting
// that does not fit where the radio stores it. Missing function settings take their defaults, a
// missing band is the model's default band, a null band gives band id 0. `out` is only written on
// success.
bool CodeplugFromJson(const QByteArray& json, const TMacList& catalogue, const TFrqList& bands, Codeplug& out,
                      QString* error);
