#include "Codeplug.h"

#include "core/Values.h"

bool ChannelValues::operator==(const ChannelValues& o) const {
    // Frequencies compare in whole units of 10 Hz, never as doubles.
    return FrequencyUnits(RxFrequency) == FrequencyUnits(o.RxFrequency) &&
           FrequencyUnits(TxFrequency) == FrequencyUnits(o.TxFrequency) && RxTone == o.RxTone &&
           TxTone == o.TxTone && Power == o.Power && Bandwidth == o.Bandwidth && ScanAdd == o.ScanAdd &&
           OptSignal == o.OptSignal && PttId == o.PttId && BusyLock == o.BusyLock;
}
