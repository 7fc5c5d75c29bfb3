#include "WriteRead.h"

#include "core/Values.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

constexpr quint8 kBlank = 0xFF;
constexpr qint64 kMaxFrequencyUnits = 99999999; // eight BCD digits of 10 Hz: below 1000 MHz
const QString kHexLetters = QStringLiteral("ABCDEF");

// The step codes of the frequency-mode block, indexed by VfoStep: 5, 6.25, 10, 12.5, 25 kHz.
const char* const kStepCodes[] = {"00000500", "00000625", "00001000", "00001250", "00002500"};
constexpr int kDefaultStep = 3;

QString Hex2(quint8 b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

quint8 ByteOf(QChar c) {
    // Texts are byte strings in the radio; anything wider cannot be stored and shows as "?".
    return c.unicode() <= 0xFF ? static_cast<quint8>(c.unicode()) : quint8('?');
}

void PutText(TBlock& block, const QString& text, int maxLength) {
    const int n = std::min<int>(text.size(), maxLength);
    for (int i = 0; i < n; ++i)
        block[static_cast<size_t>(i)] = ByteOf(text.at(i));
}

QString GetText(const TBlock& block, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const quint8 b = block[static_cast<size_t>(i)];
        if (b != kBlank)
            text += QChar(b);
    }
    return text;
}

// The eight-digit text of a frequency in 10 Hz units; empty when it does not fit the field.
QString FrequencyDigits(double mhz) {
    // Checked before rounding: a huge value does not fit an integer either.
    if (!std::isfinite(mhz) || mhz * 100000.0 >= kMaxFrequencyUnits + 0.5 || mhz * 100000.0 < -0.5)
        return {};
    const qint64 units = FrequencyUnits(mhz);
    if (units < 0 || units > kMaxFrequencyUnits)
        return {};
    return QStringLiteral("%1").arg(units, 8, 10, QLatin1Char('0'));
}

bool FrequencyFromDigits(const QString& h, double& mhz) {
    if (TBWriteRead::ContainsAnyOf(kHexLetters, h))
        return false;
    bool ok = false;
    const qint64 v = h.toLongLong(&ok);
    if (!ok)
        return false;
    mhz = static_cast<double>(v) / 100000.0;
    return true;
}

quint8 Field(int value) {
    return static_cast<quint8>(value & 0xFF);
}

bool ValidIndex(int value, int high) {
    return value >= 0 && value <= high;
}

bool DecodeToneField(quint16 word, bool empty, QString& text, const char* what, const quint8* bytes,
                     QString* error) {
    if (empty) {
        text.clear();
        return true;
    }
    if (TBWriteRead::ToneText(word, text))
        return true;
    if (error)
        *error =
            QStringLiteral("%1 tone bytes %2 cannot be decoded").arg(QLatin1String(what), HexBytes(bytes, 2));
    return false;
}

} // namespace

QString HexBytes(const quint8* bytes, int count) {
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << Hex2(bytes[i]);
    return parts.join(QLatin1Char(' '));
}

QString HexBytes(const QByteArray& bytes) {
    return HexBytes(reinterpret_cast<const quint8*>(bytes.constData()), static_cast<int>(bytes.size()));
}

QString HexAddress(int address) {
    return QStringLiteral("0x") + QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

void TBWriteRead::FillBlank(TBlock& block) {
    block.fill(kBlank);
}

bool TBWriteRead::IsBlank(const TBlock& block) {
    return std::all_of(block.begin(), block.end(), [](quint8 b) { return b == kBlank; });
}

quint8 TBWriteRead::HexPairToByte(const QString& text, bool* ok) {
    bool good = text.size() == 2;
    uint v = 0;
    if (good)
        v = text.toUInt(&good, 16);
    if (ok)
        *ok = good;
    return good ? static_cast<quint8>(v) : 0;
}

bool TBWriteRead::ContainsAnyOf(const QString& chars, const QString& text) {
    return std::any_of(text.begin(), text.end(), [&](QChar c) { return chars.contains(c); });
}

bool TBWriteRead::IsStorableText(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < kBlank; });
}

bool TBWriteRead::IsStorableFrequency(double mhz) {
    return !FrequencyDigits(mhz).isEmpty();
}

bool TBWriteRead::PutFrequencyLE(TBlock& block, int offset, double mhz) {
    const QString t = FrequencyDigits(mhz);
    if (t.isEmpty())
        return false;
    for (int i = 0; i < 4; ++i)
        block[static_cast<size_t>(offset + i)] = HexPairToByte(t.mid(6 - 2 * i, 2));
    return true;
}

bool TBWriteRead::PutFrequencyBE(TBlock& block, int offset, double mhz) {
    const QString t = FrequencyDigits(mhz);
    if (t.isEmpty())
        return false;
    for (int i = 0; i < 4; ++i)
        block[static_cast<size_t>(offset + i)] = HexPairToByte(t.mid(2 * i, 2));
    return true;
}

bool TBWriteRead::GetFrequencyLE(const TBlock& block, int offset, double& mhz) {
    QString h;
    for (int i = 3; i >= 0; --i)
        h += Hex2(block[static_cast<size_t>(offset + i)]);
    return FrequencyFromDigits(h, mhz);
}

bool TBWriteRead::GetFrequencyBE(const TBlock& block, int offset, double& mhz) {
    QString h;
    for (int i = 0; i < 4; ++i)
        h += Hex2(block[static_cast<size_t>(offset + i)]);
    return FrequencyFromDigits(h, mhz);
}

bool TBWriteRead::ToneWord(const QString& text, quint16& word) {
    if (text.isEmpty()) {
        word = 0xFFFF;
        return true;
    }
    if (text.at(0) == QLatin1Char('D')) {
        // "Dabc" + N/I: the three code digits as nibbles under 0x8 (normal) or 0xC (inverted).
        if (text.size() != 5)
            return false;
        const QChar suffix = text.at(4).toUpper();
        QString t = text;
        if (suffix == QLatin1Char('N'))
            t[4] = QLatin1Char('8');
        else if (suffix == QLatin1Char('I'))
            t[4] = QLatin1Char('C');
        else
            return false;
        bool okLow = false, okHigh = false;
        const quint8 low = HexPairToByte(t.mid(2, 2), &okLow);
        const quint8 high = HexPairToByte(QString(t.at(4)) + t.at(1), &okHigh);
        if (!okLow || !okHigh)
            return false;
        word = static_cast<quint16>(high << 8 | low);
        return true;
    }
    // CTCSS: the tone in tenths of a hertz, four decimal digits read as hexadecimal.
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(v) || v < 0.0 || v * 10.0 >= 9999.5)
        return false;
    const qint64 tenths = qRound64(v * 10.0);
    word =
        static_cast<quint16>(QStringLiteral("%1").arg(tenths, 4, 10, QLatin1Char('0')).toUInt(nullptr, 16));
    return true;
}

bool TBWriteRead::ToneText(quint16 word, QString& text) {
    const QString h = QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper();
    if (h.at(0) == QLatin1Char('8')) {
        text = QLatin1Char('D') + h.mid(1) + QLatin1Char('N');
        return true;
    }
    if (h.at(0) == QLatin1Char('C')) {
        text = QLatin1Char('D') + h.mid(1) + QLatin1Char('I');
        return true;
    }
    if (ContainsAnyOf(kHexLetters, h))
        return false;
    const int tenths = h.toInt();
    text = QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
    return true;
}

void TBWriteRead::PutToneLE(TBlock& block, int offset, quint16 word) {
    block[static_cast<size_t>(offset)] = static_cast<quint8>(word & 0xFF);
    block[static_cast<size_t>(offset + 1)] = static_cast<quint8>(word >> 8);
}

void TBWriteRead::PutToneBE(TBlock& block, int offset, quint16 word) {
    block[static_cast<size_t>(offset)] = static_cast<quint8>(word >> 8);
    block[static_cast<size_t>(offset + 1)] = static_cast<quint8>(word & 0xFF);
}

quint16 TBWriteRead::GetToneLE(const TBlock& block, int offset) {
    return static_cast<quint16>(block[static_cast<size_t>(offset + 1)] << 8 |
                                block[static_cast<size_t>(offset)]);
}

quint16 TBWriteRead::GetToneBE(const TBlock& block, int offset) {
    return static_cast<quint16>(block[static_cast<size_t>(offset)] << 8 |
                                block[static_cast<size_t>(offset + 1)]);
}

bool TBWriteRead::EncodeChannel(TBlock& block, const ChannelValues& v) {
    using namespace ChannelBlock;
    FillBlank(block);
    bool ok = PutFrequencyLE(block, kRxFrequency, v.RxFrequency);
    if (v.TxFrequency > -1.0)
        ok = PutFrequencyLE(block, kTxFrequency, v.TxFrequency) && ok;
    quint16 word = 0;
    if (ToneWord(v.RxTone, word))
        PutToneLE(block, kRxTone, word);
    else
        ok = false;
    if (ToneWord(v.TxTone, word))
        PutToneLE(block, kTxTone, word);
    else
        ok = false;
    ok = ok && ValidIndex(v.Power, 1) && ValidIndex(v.Bandwidth, 1) && ValidIndex(v.ScanAdd, 1) &&
         ValidIndex(v.PttId, 1) && ValidIndex(v.OptSignal, 2) && ValidIndex(v.BusyLock, 2);
    block[kOptSignal] = static_cast<quint8>((v.OptSignal & 0x03) << 1);
    block[kFlags] = static_cast<quint8>(kFlagsFixed | (v.Power & 1) << 5 | (v.Bandwidth & 1) << 4 |
                                        (v.ScanAdd & 1) << 3 | (v.BusyLock & 0x03) << 1);
    block[kPttId] = static_cast<quint8>(kPttFixed | (v.PttId & 1));
    return ok;
}

TBWriteRead::ChannelState TBWriteRead::DecodeChannel(const TBlock& block, ChannelValues& values,
                                                     QString* error) {
    using namespace ChannelBlock;
    ChannelValues v;
    if (!GetFrequencyLE(block, kRxFrequency, v.RxFrequency))
        return ChannelState::NotInUse;
    if (!GetFrequencyLE(block, kTxFrequency, v.TxFrequency))
        v.TxFrequency = -1.0;
    const auto bothBlank = [&](int offset) { return block[offset] == kBlank && block[offset + 1] == kBlank; };
    if (!DecodeToneField(GetToneLE(block, kRxTone), bothBlank(kRxTone), v.RxTone, "receive", &block[kRxTone],
                         error) ||
        !DecodeToneField(GetToneLE(block, kTxTone), bothBlank(kTxTone), v.TxTone, "transmit", &block[kTxTone],
                         error))
        return ChannelState::Undecodable;
    v.OptSignal = block[kOptSignal] >> 1;
    if (v.OptSignal > 2)
        v.OptSignal = 1;
    const quint8 flags = block[kFlags];
    v.BusyLock = (flags >> 1) & 0x03;
    if (v.BusyLock == 3)
        v.BusyLock = 0;
    v.ScanAdd = TestBit(flags, 3) ? 1 : 0;
    v.Bandwidth = TestBit(flags, 4) ? 1 : 0;
    v.Power = TestBit(flags, 5) ? 1 : 0;
    v.PttId = TestBit(block[kPttId], 0) ? 1 : 0;
    values = v;
    return ChannelState::InUse;
}

void TBWriteRead::EncodeBandBlock(TBlock& block, int bandId) {
    FillBlank(block);
    block[BandBlock::kBandId] = Field(bandId);
    block[BandBlock::kMarker] = BandBlock::kMarkerValue;
}

int TBWriteRead::BandIdOfBandBlock(const TBlock& block) {
    return block[BandBlock::kBandId];
}

void TBWriteRead::EncodeFlagBlock(TBlock& block, const TFun& f) {
    using namespace FlagBlock;
    FillBlank(block);
    block[kTxFlags] = static_cast<quint8>((f.StartTxFlag ? 0x20 : 0) | (f.EndTxFlag ? 0x10 : 0));
    block[kOptions] = static_cast<quint8>((f.LanguageSelect & 0x03) | (f.ManualSet ? 0x80 : 0) |
                                          (f.WarningPrompt ? 0x40 : 0) | (f.ScramblerActive ? 0x10 : 0) |
                                          (f.BatterySave ? 0x04 : 0));
    block[kSquelchLevel] = Field(f.SquelchLevel);
    block[kTxTimeout] = Field(f.TxTimeout);
    block[kVoxLevel] = Field(f.VoxLevel);
    block[kVoxDelay] = Field(f.VoxDelay);
    block[kTxFunctionLevel] = Field(f.TxFunctionLevel);
}

void TBWriteRead::DecodeFlagBlock(const TBlock& block, TFun& f) {
    using namespace FlagBlock;
    f.StartTxFlag = TestBit(block[kTxFlags], 5);
    f.EndTxFlag = TestBit(block[kTxFlags], 4);
    const quint8 options = block[kOptions];
    f.LanguageSelect = options & 0x03;
    f.ManualSet = TestBit(options, 7);
    f.WarningPrompt = TestBit(options, 6);
    f.ScramblerActive = TestBit(options, 4);
    f.BatterySave = TestBit(options, 2);
    f.SquelchLevel = block[kSquelchLevel];
    f.TxTimeout = block[kTxTimeout];
    f.VoxLevel = block[kVoxLevel];
    f.VoxDelay = block[kVoxDelay];
    f.TxFunctionLevel = block[kTxFunctionLevel];
}

void TBWriteRead::EncodeAniBlock(TBlock& block, const TFun& f) {
    FillBlank(block);
    PutText(block, f.AniCode, kBlockSize);
}

void TBWriteRead::DecodeAniBlock(const TBlock& block, TFun& f) {
    // The radio keeps four ANI digits; anything else in those bytes is not part of the code.
    QString code;
    for (int i = 0; i < kAniDigits; ++i) {
        const quint8 b = block[static_cast<size_t>(i)];
        if (b >= '0' && b <= '9')
            code += QChar(b);
    }
    f.AniCode = code;
}

void TBWriteRead::EncodeNameBlock(TBlock& block, const TFun& f) {
    FillBlank(block);
    PutText(block, f.RadioName, kBlockSize);
}

void TBWriteRead::DecodeNameBlock(const TBlock& block, TFun& f) {
    f.RadioName = GetText(block, kRadioNameLength);
}

void TBWriteRead::EncodeTextBlock(TBlock& block, const QString& text) {
    FillBlank(block);
    PutText(block, text, kBlockSize);
}

QString TBWriteRead::DecodeTextBlock(const TBlock& block) {
    return GetText(block, kBlockSize);
}

void TBWriteRead::EncodeBitsBlock(TBlock& block, const QString& flags) {
    // Zero-filled: byte j holds channels 8j+1..8j+8 of the block's range, the lowest in bit 0.
    block.fill(0x00);
    const int n = std::min<int>(flags.size(), kBlockSize * 8);
    for (int i = 0; i < n; ++i)
        if (flags.at(i) == QLatin1Char('1'))
            block[static_cast<size_t>(i / 8)] |= static_cast<quint8>(1 << (i % 8));
}

void TBWriteRead::EncodeModelBlock(TBlock& block, const QString& identity, int bandId) {
    using namespace ModelBlock;
    FillBlank(block);
    block[0] = 'P';
    const QString id = identity.left(kIdentityLength).leftJustified(kIdentityLength, QLatin1Char(' '));
    for (int i = 0; i < kIdentityLength; ++i)
        block[static_cast<size_t>(kIdentity + i)] = ByteOf(id.at(i));
    block[kBandId] = Field(bandId);
    block[6] = 0x00;
    block[7] = 0x00;
}

void TBWriteRead::EncodeSettingsBlock(TBlock& block, const TFun& f) {
    FillBlank(block);
    const int fields[kBlockSize] = {f.ModeFlag,     f.CurrentChannel == 0 ? kBlank : f.CurrentChannel - 1,
                                    f.VoxLevel,     f.PowerLevel,
                                    f.SquelchLevel, f.ScrSwitch,
                                    f.LedMode,      f.LedColor,
                                    f.KeyBeep,      f.AniSwitch,
                                    f.KeyLockMode,  f.TxTimeout,
                                    f.ScanMode,     f.OffsetDirection,
                                    f.WideNarrow,   f.PowerOnTone};
    for (int i = 0; i < kBlockSize; ++i)
        block[static_cast<size_t>(i)] = Field(fields[i]);
}

void TBWriteRead::DecodeSettingsBlock(const TBlock& block, TFun& f) {
    // Bytes 2, 4 and 11 repeat VoxLevel, SquelchLevel and TxTimeout; the flag block is read for those.
    f.ModeFlag = block[0];
    f.CurrentChannel = block[1] == kBlank ? 0 : block[1] + 1;
    f.PowerLevel = block[3];
    f.ScrSwitch = block[5];
    f.LedMode = block[6];
    f.LedColor = block[7];
    f.KeyBeep = block[8];
    f.AniSwitch = block[9];
    f.KeyLockMode = block[10];
    f.ScanMode = block[12];
    f.OffsetDirection = block[13];
    f.WideNarrow = block[14];
    f.PowerOnTone = block[15];
}

bool TBWriteRead::EncodeVfoBlock(TBlock& block, const TFun& f) {
    using namespace VfoBlock;
    FillBlank(block);
    bool ok = PutFrequencyBE(block, kRxFrequency, f.VfoRxFreq);
    ok = PutFrequencyBE(block, kOffset, f.VfoOffset) && ok;
    if (ValidIndex(f.VfoStep, 4)) {
        const QString code = QLatin1String(kStepCodes[f.VfoStep]);
        for (int i = 0; i < 4; ++i)
            block[static_cast<size_t>(kStep + i)] = HexPairToByte(code.mid(2 * i, 2));
    } else {
        ok = false;
    }
    quint16 word = 0;
    if (ToneWord(f.VfoRxTone, word))
        PutToneBE(block, kRxTone, word);
    else
        ok = false;
    if (ToneWord(f.VfoTxTone, word))
        PutToneBE(block, kTxTone, word);
    else
        ok = false;
    return ok;
}

bool TBWriteRead::DecodeVfoBlock(const TBlock& block, TFun& f, double bandLow, QString* error) {
    using namespace VfoBlock;
    double rx = 0.0, offset = 0.0;
    if (!GetFrequencyBE(block, kRxFrequency, rx))
        rx = bandLow;
    if (!GetFrequencyBE(block, kOffset, offset))
        offset = 0.0;
    const QString step = HexBytes(&block[kStep], 4).remove(QLatin1Char(' '));
    int stepIndex = kDefaultStep;
    for (int i = 0; i < 5; ++i)
        if (step == QLatin1String(kStepCodes[i]))
            stepIndex = i;
    // Here a single 0xFF byte already means no tone.
    const auto anyBlank = [&](int at) { return block[at] == kBlank || block[at + 1] == kBlank; };
    QString rxTone, txTone;
    if (!DecodeToneField(GetToneBE(block, kRxTone), anyBlank(kRxTone), rxTone, "frequency-mode receive",
                         &block[kRxTone], error) ||
        !DecodeToneField(GetToneBE(block, kTxTone), anyBlank(kTxTone), txTone, "frequency-mode transmit",
                         &block[kTxTone], error))
        return false;
    f.VfoRxFreq = rx;
    f.VfoOffset = offset;
    f.VfoStep = stepIndex;
    f.VfoRxTone = rxTone;
    f.VfoTxTone = txTone;
    return true;
}

bool TBWriteRead::EncodeFileHeader(TBlock& block, const QString& identityText, const QString& bandText,
                                   const QString& dateText) {
    FillBlank(block);
    const QString id = identityText.left(5).leftJustified(5, QLatin1Char(' '));
    for (int i = 0; i < 5; ++i)
        block[static_cast<size_t>(i)] = ByteOf(id.at(i));
    bool ok = true;
    static const QRegularExpression sixDigits(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{6}")));
    if (sixDigits.match(bandText).hasMatch()) {
        for (int i = 0; i < 3; ++i)
            block[static_cast<size_t>(5 + i)] = HexPairToByte(bandText.mid(2 * i, 2));
    } else {
        std::fill(block.begin() + 5, block.begin() + 8, quint8(0));
        ok = false;
    }
    static const QRegularExpression date(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}")));
    if (date.match(dateText).hasMatch()) {
        const int year = dateText.left(4).toInt();
        block[8] = static_cast<quint8>(year & 0xFF);
        block[9] = static_cast<quint8>(year >> 8);
        block[10] = static_cast<quint8>(dateText.mid(5, 2).toInt());
        block[11] = static_cast<quint8>(dateText.mid(8, 2).toInt());
        block[12] = static_cast<quint8>(dateText.mid(11, 2).toInt());
        block[13] = static_cast<quint8>(dateText.mid(14, 2).toInt());
    } else {
        std::fill(block.begin() + 8, block.begin() + 14, quint8(0));
        ok = false;
    }
    return ok;
}

void TBWriteRead::DecodeFileHeader(const TBlock& block, QString& identityText, QString& bandText,
                                   QString& dateText) {
    identityText.clear();
    for (int i = 0; i < 5; ++i)
        identityText += QChar(block[static_cast<size_t>(i)]);
    bandText = Hex2(block[5]) + Hex2(block[6]) + Hex2(block[7]);
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    dateText = QStringLiteral("%1-%2-%3 %4:%5")
                   .arg(block[8] | block[9] << 8)
                   .arg(two(block[10]), two(block[11]), two(block[12]), two(block[13]));
}
