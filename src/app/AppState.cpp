#include "AppState.h"

#include "core/MacType.h"
#include "core/Values.h"

void SelectModel(TALL& state, TMacType* m) {
    state.Model = m;
    if (!m)
        return;
    state.ModelName = m->Name;
    state.RadioIdentity = m->Identity;
    state.ModelMaxFreq = m->MaxFrequency;
    state.ModelMinFreq = m->MinFrequency;
    state.ChannelCount = m->ChannelCount;
}

void ApplyBandName(TALL& state, const QString& bandName) {
    state.BandName = bandName;
    ParseBandText(bandName, state.BandLow, state.BandHigh);
}
