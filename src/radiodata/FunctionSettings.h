#pragma once

#include <QString>

class TEnMsg;

// The radio-wide function settings. Enumerated settings hold the zero-based index of the entry the
// dialogs show, except LanguageSelect, which the radio counts from 1.
class TFun {
public:
    TFun() = default;

    // Every field to its default except CurrentChannel, which a reset keeps.
    void ResetDefaults();
    // Each enumerated value outside its range becomes its default; nothing else is touched.
    void ClampToRanges();

    int ModeFlag = 3;
    int CurrentChannel = 0;
    int VoxLevel = 0;
    int PowerLevel = 1;
    int SquelchLevel = 5;
    int ScrSwitch = 0;
    int LedMode = 0;
    int LedColor = 1;
    int KeyBeep = 1;
    int PowerOnTone = 1;
    int AniSwitch = 0;
    int KeyLockMode = 0;
    int TxTimeout = 6;
    int ScanMode = 2;
    int OffsetDirection = 0;
    int WideNarrow = 1;
    double VfoRxFreq = 0.0;
    double VfoOffset = 0.0;
    int VfoStep = 3;
    QString VfoRxTone;
    QString VfoTxTone;
    bool StartTxFlag = false;
    bool EndTxFlag = false;
    bool ManualSet = false;
    int LanguageSelect = 3;
    bool WarningPrompt = true;
    bool BatterySave = true;
    bool ScramblerActive = false;
    int VoxDelay = 0;
    int TxFunctionLevel = 5;
    QString AniCode = QStringLiteral("1234");
    QString RadioName = QStringLiteral("AAAAAA");

    bool operator==(const TFun&) const = default;
};

// Function settings to their defaults and the embedded message emptied.
void ResetRadioSettings(TFun& functions, TEnMsg& message);
// After a completed read from the radio.
void ClampFunctionSettings(TFun& functions);
