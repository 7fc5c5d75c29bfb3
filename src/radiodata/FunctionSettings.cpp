#include "FunctionSettings.h"

#include "Records.h"

namespace {

// The value becomes the fallback when it lies outside [low, high]; both bounds are valid.
void ApplyRange(int& value, int low, int high, int fallback) {
    if (value < low || value > high)
        value = fallback;
}

} // namespace

void TFun::ResetDefaults() {
    const int keep = CurrentChannel;
    *this = TFun{};
    CurrentChannel = keep;
}

void TFun::ClampToRanges() {
    ApplyRange(ModeFlag, 0, 3, 3);
    ApplyRange(VoxLevel, 0, 9, 0);
    ApplyRange(PowerLevel, 0, 1, 1);
    ApplyRange(SquelchLevel, 0, 9, 5);
    ApplyRange(ScrSwitch, 0, 1, 0);
    ApplyRange(LedMode, 0, 2, 0);
    ApplyRange(LedColor, 0, 2, 1);
    ApplyRange(KeyBeep, 0, 1, 1);
    ApplyRange(PowerOnTone, 0, 1, 1);
    ApplyRange(AniSwitch, 0, 1, 0);
    ApplyRange(KeyLockMode, 0, 1, 0);
    ApplyRange(TxTimeout, 0, 9, 6);
    ApplyRange(ScanMode, 0, 2, 2);
    ApplyRange(OffsetDirection, 0, 2, 0);
    ApplyRange(WideNarrow, 0, 1, 1);
    ApplyRange(VfoStep, 0, 4, 3);
    ApplyRange(LanguageSelect, 1, 3, 3);
    ApplyRange(VoxDelay, 0, 5, 0);
    ApplyRange(TxFunctionLevel, 0, 9, 5);
}

void ResetRadioSettings(TFun& functions, TEnMsg& message) {
    functions.ResetDefaults();
    message.Clear();
}

void ClampFunctionSettings(TFun& functions) {
    functions.ClampToRanges();
}
