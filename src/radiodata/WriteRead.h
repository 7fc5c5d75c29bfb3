#pragma once

#include "Codeplug.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The radio's memory is moved and stored in 16-byte blocks.
constexpr int kBlockSize = 16;
using TBlock = std::array<quint8, kBlockSize>;
static_assert(sizeof(TBlock) == kBlockSize);

// Byte positions of the channel block.
namespace ChannelBlock {
constexpr int kRxFrequency = 0; // 4 bytes BCD, least significant pair first
constexpr int kTxFrequency = 4; // the same; 0xFF x 4 when there is none
constexpr int kRxTone = 8;      // tone word, low byte first
constexpr int kTxTone = 10;
constexpr int kOptSignal = 12;       // OptSignal in bits 1-2
constexpr int kFlags = 13;           // power, bandwidth, scan add, busy lock
constexpr int kPttId = 14;           // bit 0
constexpr quint8 kFlagsFixed = 0xC1; // bits 0, 6 and 7 are always set
constexpr quint8 kPttFixed = 0xFE;
} // namespace ChannelBlock

namespace FlagBlock {
constexpr int kTxFlags = 0; // StartTxFlag 0x20, EndTxFlag 0x10
constexpr int kOptions = 2; // LanguageSelect (bits 0-1), ManualSet 0x80, WarningPrompt 0x40,
                            // ScramblerActive 0x10, BatterySave 0x04
constexpr int kSquelchLevel = 3;
constexpr int kTxTimeout = 4;
constexpr int kVoxLevel = 5;
constexpr int kVoxDelay = 6;
constexpr int kTxFunctionLevel = 9;
} // namespace FlagBlock

namespace BandBlock {
constexpr int kBandId = 10;
constexpr int kMarker = 11;
constexpr quint8 kMarkerValue = 0x3A;
} // namespace BandBlock

namespace ModelBlock {
constexpr int kIdentity = 1; // four characters after the "P"
constexpr int kIdentityLength = 4;
constexpr int kBandId = 5;
} // namespace ModelBlock

namespace VfoBlock {
constexpr int kRxFrequency = 0; // BCD, most significant pair first
constexpr int kOffset = 4;
constexpr int kStep = 8;
constexpr int kRxTone = 12; // tone word, high byte first
constexpr int kTxTone = 14;
} // namespace VfoBlock

// The radio keeps only these many characters of these texts.
constexpr int kAniDigits = 4;
constexpr int kRadioNameLength = 6;
constexpr int kHalfLineLength = 16;

// The stateless converter between 16-byte memory blocks and the program's values. Decoders write
// only the fields their block carries.
class TBWriteRead {
public:
    enum class ChannelState { InUse, NotInUse, Undecodable };

    static void FillBlank(TBlock& block);
    static bool IsBlank(const TBlock& block);

    // False when a value cannot be stored as it is: a frequency negative or from 1000 MHz on, or a
    // tone not in the tone notation (that field stays 0xFF), or a list index outside its list (cut
    // to the bits of its field).
    static bool EncodeChannel(TBlock& block, const ChannelValues& values);
    // Undecodable: a tone field that is neither empty, nor DCS, nor decimal digits; `error` says
    // which bytes. `values` is only written for InUse.
    static ChannelState DecodeChannel(const TBlock& block, ChannelValues& values, QString* error = nullptr);

    static void EncodeBandBlock(TBlock& block, int bandId);
    static int BandIdOfBandBlock(const TBlock& block);
    static void EncodeFlagBlock(TBlock& block, const TFun& functions);
    static void DecodeFlagBlock(const TBlock& block, TFun& functions);
    static void EncodeAniBlock(TBlock& block, const TFun& functions);
    static void DecodeAniBlock(const TBlock& block, TFun& functions);
    static void EncodeNameBlock(TBlock& block, const TFun& functions);
    static void DecodeNameBlock(const TBlock& block, TFun& functions);
    static void EncodeTextBlock(TBlock& block, const QString& text);
    static QString DecodeTextBlock(const TBlock& block);
    static void EncodeBitsBlock(TBlock& block, const QString& flags);
    static void EncodeModelBlock(TBlock& block, const QString& identity, int bandId);
    static void EncodeSettingsBlock(TBlock& block, const TFun& functions);
    static void DecodeSettingsBlock(const TBlock& block, TFun& functions);
    // False when a frequency or a tone cannot be stored (see EncodeChannel).
    static bool EncodeVfoBlock(TBlock& block, const TFun& functions);
    // bandLow stands in for a receive frequency the block does not hold. False (functions
    // untouched) when a tone field cannot be decoded.
    static bool DecodeVfoBlock(const TBlock& block, TFun& functions, double bandLow,
                               QString* error = nullptr);

    // identityText "P" + identity, bandText six digits ("400470"), dateText "yyyy-MM-dd HH:mm".
    // False when the band or the date text is not of that form (those bytes are then 0).
    static bool EncodeFileHeader(TBlock& block, const QString& identityText, const QString& bandText,
                                 const QString& dateText);
    static void DecodeFileHeader(const TBlock& block, QString& identityText, QString& bandText,
                                 QString& dateText);

    // Frequency fields: eight decimal digits of 10 Hz as packed BCD. LE: least significant pair
    // first (channel blocks); BE: most significant first (frequency-mode block).
    static bool PutFrequencyLE(TBlock& block, int offset, double mhz);
    static bool PutFrequencyBE(TBlock& block, int offset, double mhz);
    // False when the field holds a hexadecimal letter (no frequency).
    static bool GetFrequencyLE(const TBlock& block, int offset, double& mhz);
    static bool GetFrequencyBE(const TBlock& block, int offset, double& mhz);
    static bool IsStorableFrequency(double mhz);

    // Tone words: 0xFFFF none, 0x0670 "67.0", 0x8023 "D023N", 0xC023 "D023I".
    static bool ToneWord(const QString& text, quint16& word);
    // False for a word that is neither DCS nor decimal digits (such as 0x12AB).
    static bool ToneText(quint16 word, QString& text);
    static void PutToneLE(TBlock& block, int offset, quint16 word);
    static void PutToneBE(TBlock& block, int offset, quint16 word);
    static quint16 GetToneLE(const TBlock& block, int offset);
    static quint16 GetToneBE(const TBlock& block, int offset);

    // The texts the blocks carry are bytes; a character outside 0x00-0xFE cannot be stored
    // (0xFF marks an unused byte).
    static bool IsStorableText(const QString& text);

    static quint8 HexPairToByte(const QString& text, bool* ok = nullptr);
    static bool ContainsAnyOf(const QString& chars, const QString& text);
};

// "12 AB" and "0x0C90" for messages.
QString HexBytes(const quint8* bytes, int count);
QString HexBytes(const QByteArray& bytes);
QString HexAddress(int address);
