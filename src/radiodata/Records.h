#pragma once

#include <QString>

#include <array>

// The two-line message the radio holds; each line at most 32 characters.
class TEnMsg {
public:
    static constexpr int kMaxLineLength = 32;

    void Clear() {
        LineA.clear();
        LineB.clear();
    }

    QString LineA;
    QString LineB;

    bool operator==(const TEnMsg&) const = default;
};

// Sixteen test channels for the radio's test mode; kept in memory only, never in the radio or a file.
class TTestFre {
public:
    static constexpr int kCount = 16;

    TTestFre() { ResetDefaults(); }
    void ResetDefaults();

    // Index 1..16 as the radio numbers them; index 0 is unused.
    std::array<QString, kCount + 1> RxFreq;
    std::array<QString, kCount + 1> TxFreq;
};
