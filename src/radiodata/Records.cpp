#include "Records.h"

void TTestFre::ResetDefaults() {
    static const char* const defaults[][2] = {
        {"460.05000", "460.10000"}, {"440.05000", "440.10000"}, {"479.95000", "479.90000"},
        {"460.00000", "460.00000"}, {"460.20000", "460.20000"}, {"460.40000", "460.40000"},
    };
    for (int n = 0; n <= kCount; ++n) {
        RxFreq[n].clear();
        TxFreq[n].clear();
    }
    for (int n = 1; n <= 6; ++n) {
        RxFreq[n] = QString::fromLatin1(defaults[n - 1][0]);
        TxFreq[n] = QString::fromLatin1(defaults[n - 1][1]);
    }
}
