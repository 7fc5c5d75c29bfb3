#pragma once

#include <QString>
#include <QtGlobal>

// Frequencies are doubles in MHz; every rounding goes through whole units of 10 Hz.
qint64 FrequencyUnits(double mhz);

// "460.05000": five decimals, point as separator whatever the locale.
QString FormatFrequency(double mhz);

// Decimal number of the trimmed text (point as separator); false when it is not a number.
bool ParseFrequencyText(const QString& text, double& mhz);

// Snaps down onto the 5 kHz grid (whole kilohertz) or the 6.25 kHz grid (anything else).
double SnapFrequency(double mhz);

// How far outside its band a channel frequency may lie (the grid takes it as typed; beyond, it
// becomes the band's edge).
constexpr double kChannelBandMargin = 10.0;

// " 27.0 -  72.0MHz" -> 27.0, 72.0. False (low and high untouched) when the text has no such form.
bool ParseBandText(const QString& text, double& low, double& high);

// Checks and normalises a typed tone: "100" -> "100.0", "8x" -> "254.1", "D089N" -> "D777N".
QString NormalizeToneText(const QString& text);

bool TestBit(quint8 b, int n);
QString BitTextToDecimal(const QString& text);
QString ReverseText(const QString& text);
