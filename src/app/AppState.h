#pragma once

#include <QString>

class TMacType;

// The application state: current model and band with their limits, port, language, title and the
// unsaved-changes flag.
class TALL {
public:
    QString LanguageName;
    int LanguageIndex = 0;
    QString PortName;
    QString ProgramDir; // with its trailing separator
    QString AppTitle;
    int ChannelCount = 0;
    QString ModelName;
    QString BandName;
    QString FileTime;
    double ModelMaxFreq = 0.0;
    double ModelMinFreq = 0.0;
    double BandHigh = 0.0;
    double BandLow = 0.0;
    QString RadioIdentity;
    QString ChannelUsedBits;
    QString ScanAddBits;
    int PicIndex = 0;
    bool Modified = false;
    bool TextsUpdating = false;
    QString HelpPrefix;
    TMacType* Model = nullptr; // an entry of the catalogue, not owned
};

// Makes m the current model; the caller sets the band and its edges.
void SelectModel(TALL& state, TMacType* m);
// BandLow and BandHigh from BandName.
void ApplyBandName(TALL& state, const QString& bandName);
