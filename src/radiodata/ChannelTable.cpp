#include "ChannelTable.h"

#include "FunctionSettings.h"
#include "WriteRead.h"

#include "core/FileIo.h"
#include "core/ToneLists.h"
#include "core/Values.h"

namespace {

const QStringList kNoItems;

// The highest index of each option column, Power to BusyLock.
constexpr int kHighestIndex[] = {1, 1, 1, 2, 1, 2};

bool IsOptionColumn(int column) {
    return column >= ChannelTable::Power && column <= ChannelTable::BusyLock;
}

const char* ColumnName(int column) {
    static const char* const names[] = {"channel number", "receive frequency", "transmit frequency",
                                        "receive tone",   "transmit tone",     "power",
                                        "bandwidth",      "scan add",          "optional signalling",
                                        "PTT ID",         "busy lock"};
    return column >= 1 && column <= ChannelTable::kColumnCount ? names[column - 1] : "?";
}

QString ItemOfCode(const ChannelVocabulary& words, int column, const QString& code) {
    bool ok = false;
    const int index = code.toInt(&ok);
    return ok ? words.ItemText(column, index) : QString();
}

} // namespace

ChannelVocabulary ChannelVocabulary::BuiltIn() {
    ChannelVocabulary v;
    v.NoneText = BuiltInNoneText();
    v.PowerItems = {QStringLiteral("低"), QStringLiteral("高")};
    v.BandwidthItems = {QStringLiteral("窄带"), QStringLiteral("宽带")};
    v.ScanAddItems = {QStringLiteral("否"), QStringLiteral("是")};
    v.OptSignalItems = {QStringLiteral("无"), QStringLiteral("DTMF"), QStringLiteral("FSK")};
    v.PttIdItems = {QStringLiteral("关"), QStringLiteral("开")};
    v.BusyLockItems = {QStringLiteral("关闭"), QStringLiteral("载波"), QStringLiteral("QT/DQT")};
    return v;
}

const QStringList& ChannelVocabulary::ItemsOf(int column) const {
    switch (column) {
    case ChannelTable::Power:
        return PowerItems;
    case ChannelTable::Bandwidth:
        return BandwidthItems;
    case ChannelTable::ScanAdd:
        return ScanAddItems;
    case ChannelTable::OptSignal:
        return OptSignalItems;
    case ChannelTable::PttId:
        return PttIdItems;
    case ChannelTable::BusyLock:
        return BusyLockItems;
    default:
        return kNoItems;
    }
}

QString ChannelVocabulary::ItemText(int column, int index) const {
    const QStringList& items = ItemsOf(column);
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

ChannelTable::ChannelTable(ChannelVocabulary vocabulary) : Words(std::move(vocabulary)) {}

bool ChannelTable::Valid(int channel, int column) const {
    return channel >= 1 && channel <= RowCount() && column >= 1 && column <= kColumnCount;
}

const ChannelTable::Cell& ChannelTable::At(int channel, int column) const {
    static const Cell kNoCell;
    if (!Valid(channel, column))
        return kNoCell;
    return Rows[static_cast<size_t>(channel - 1)][static_cast<size_t>(column - 1)];
}

void ChannelTable::Changed(int first, int last) const {
    if (RowsChanged && first <= last)
        RowsChanged(first, last);
}

void ChannelTable::SetText(int channel, int column, const QString& text) {
    if (!Valid(channel, column))
        return;
    CellAt(channel, column).Text = text;
    Changed(channel, channel);
}

void ChannelTable::SetCode(int channel, int column, const QString& code) {
    if (!Valid(channel, column))
        return;
    CellAt(channel, column).Code = code;
    Changed(channel, channel);
}

void ChannelTable::SetReadOnly(int channel, int column, bool readOnly) {
    if (!Valid(channel, column))
        return;
    CellAt(channel, column).ReadOnly = readOnly;
    Changed(channel, channel);
}

void ChannelTable::SetOption(int channel, int column, int index) {
    if (!Valid(channel, column) || !IsOptionColumn(column))
        return;
    Cell& cell = CellAt(channel, column);
    cell.Code = QString::number(index);
    cell.Text = Words.ItemText(column, index);
    Changed(channel, channel);
}

void ChannelTable::ClearRow(int channel) {
    CellAt(channel, ChannelNo).Code.clear();
    for (int column = RxFrequency; column <= BusyLock; ++column) {
        Cell& cell = CellAt(channel, column);
        cell.Text.clear();
        cell.Code.clear();
    }
}

void ChannelTable::MarkTonesSet(int channel) {
    // A row in use has the tone codes an activated row has, however it came into use.
    CellAt(channel, RxTone).Code = QStringLiteral("0");
    CellAt(channel, TxTone).Code = QStringLiteral("0");
}

void ChannelTable::Rebuild(int channelCount, bool numbered) {
    if (AboutToRebuild)
        AboutToRebuild();
    Rows.assign(static_cast<size_t>(std::max(channelCount, 0)), Row{});
    for (int k = 1; k <= RowCount(); ++k) {
        if (numbered)
            CellAt(k, ChannelNo).Text = QString::number(k);
        CellAt(k, RxFrequency).ReadOnly = false;
    }
    if (Rebuilt)
        Rebuilt();
}

void ChannelTable::ResetChannelTable(int channelCount) {
    if (RowCount() != channelCount) {
        Rebuild(channelCount, true);
        return;
    }
    for (int k = 1; k <= RowCount(); ++k) {
        ClearRow(k);
        CellAt(k, TxFrequency).ReadOnly = true;
        CellAt(k, BusyLock).ReadOnly = true;
    }
    Changed(1, RowCount());
}

void ChannelTable::PrepareStagingTable(int channelCount) {
    Rebuild(channelCount, false);
}

void ChannelTable::ActivateChannel(int channel) {
    if (!Valid(channel, ChannelNo))
        return;
    CellAt(channel, ChannelNo).Code = QStringLiteral("1");
    if (CellAt(channel, TxFrequency).Text.isEmpty())
        CellAt(channel, TxFrequency).Text = CellAt(channel, RxFrequency).Text;
    for (const int column : {RxTone, TxTone}) {
        CellAt(channel, column).Text = Words.NoneText;
        CellAt(channel, column).Code = QStringLiteral("0");
    }
    const ChannelValues defaults; // high power, wide, scan, DTMF, PTT ID on, busy lock off
    const int options[] = {defaults.Power,     defaults.Bandwidth, defaults.ScanAdd,
                           defaults.OptSignal, defaults.PttId,     defaults.BusyLock};
    for (int column = Power; column <= BusyLock; ++column) {
        Cell& cell = CellAt(channel, column);
        cell.Code = QString::number(options[column - Power]);
        cell.Text = Words.ItemText(column, options[column - Power]);
    }
    CellAt(channel, TxFrequency).ReadOnly = false;
    Changed(channel, channel);
}

void ChannelTable::ClearChannel(int channel, TFun& functions) {
    if (!Valid(channel, ChannelNo))
        return;
    ClearRow(channel);
    CellAt(channel, TxFrequency).ReadOnly = true;
    if (functions.CurrentChannel == channel)
        functions.CurrentChannel = 0;
    Changed(channel, channel);
}

bool ChannelTable::IsChannelInUse(int channel) const {
    return !Text(channel, RxFrequency).trimmed().isEmpty();
}

bool ChannelTable::GetChannelValues(int channel, ChannelValues& values, QString* error) const {
    const auto fail = [&](int column, const QString& what) {
        if (error)
            *error = QStringLiteral("channel %1, %2: %3")
                         .arg(channel)
                         .arg(QLatin1String(ColumnName(column)), what);
        return false;
    };
    if (!IsChannelInUse(channel))
        return fail(RxFrequency, QStringLiteral("the channel is not in use"));
    ChannelValues v;
    const auto frequency = [&](int column, double& mhz) {
        const QString text = Text(channel, column).trimmed();
        if (!ParseFrequencyText(text, mhz))
            return fail(column, QStringLiteral("\"%1\" is not a number").arg(ReadableText(text)));
        if (!TBWriteRead::IsStorableFrequency(mhz))
            return fail(column, QStringLiteral("%1 MHz cannot be stored").arg(ReadableText(text)));
        return true;
    };
    if (!frequency(RxFrequency, v.RxFrequency))
        return false;
    v.TxFrequency = -1.0;
    if (!Text(channel, TxFrequency).trimmed().isEmpty() && !frequency(TxFrequency, v.TxFrequency))
        return false;
    for (const int column : {RxTone, TxTone}) {
        QString tone = Text(channel, column);
        if (tone == Words.NoneText)
            tone.clear();
        quint16 word = 0;
        if (!TBWriteRead::ToneWord(tone, word))
            return fail(column, QStringLiteral("\"%1\" is not a tone").arg(ReadableText(tone)));
        (column == RxTone ? v.RxTone : v.TxTone) = tone;
    }
    int* const options[] = {&v.Power, &v.Bandwidth, &v.ScanAdd, &v.OptSignal, &v.PttId, &v.BusyLock};
    for (int column = Power; column <= BusyLock; ++column) {
        bool ok = false;
        const QString code = Code(channel, column);
        const int index = code.toInt(&ok);
        if (!ok || index < 0 || index > kHighestIndex[column - Power])
            return fail(column, QStringLiteral("\"%1\" is not an entry of the list").arg(ReadableText(code)));
        *options[column - Power] = index;
    }
    values = v;
    return true;
}

void ChannelTable::PutDecodedChannel(int channel, const ChannelValues& values) {
    if (!Valid(channel, ChannelNo))
        return;
    CellAt(channel, RxFrequency).Text = FormatFrequency(values.RxFrequency);
    if (values.TxFrequency > -1.0)
        CellAt(channel, TxFrequency).Text = FormatFrequency(values.TxFrequency);
    CellAt(channel, RxTone).Text = values.RxTone;
    CellAt(channel, TxTone).Text = values.TxTone;
    const int options[] = {values.Power,     values.Bandwidth, values.ScanAdd,
                           values.OptSignal, values.PttId,     values.BusyLock};
    for (int column = Power; column <= BusyLock; ++column)
        CellAt(channel, column).Code = QString::number(options[column - Power]);
    Changed(channel, channel);
}

void ChannelTable::PutLoadedChannel(int channel, const ChannelValues& values) {
    if (!Valid(channel, ChannelNo))
        return;
    CellAt(channel, TxFrequency).ReadOnly = false;
    CellAt(channel, RxFrequency).Text = FormatFrequency(values.RxFrequency);
    CellAt(channel, TxFrequency).Text =
        values.TxFrequency > -1.0 ? FormatFrequency(values.TxFrequency) : QString();
    CellAt(channel, RxTone).Text = values.RxTone.isEmpty() ? Words.NoneText : values.RxTone;
    CellAt(channel, TxTone).Text = values.TxTone.isEmpty() ? Words.NoneText : values.TxTone;
    MarkTonesSet(channel);
    const int options[] = {values.Power,     values.Bandwidth, values.ScanAdd,
                           values.OptSignal, values.PttId,     values.BusyLock};
    for (int column = Power; column <= BusyLock; ++column) {
        CellAt(channel, column).Code = QString::number(options[column - Power]);
        CellAt(channel, column).Text = Words.ItemText(column, options[column - Power]);
    }
    CellAt(channel, ChannelNo).Code = QStringLiteral("1");
    Changed(channel, channel);
}

void ChannelTable::RetranslateChannelTable(const ChannelVocabulary& vocabulary) {
    for (int k = 1; k <= RowCount(); ++k) {
        if (!IsChannelInUse(k))
            continue;
        for (const int column : {RxTone, TxTone})
            if (CellAt(k, column).Text == Words.NoneText)
                CellAt(k, column).Text = vocabulary.NoneText;
        for (int column = Power; column <= BusyLock; ++column)
            CellAt(k, column).Text = ItemOfCode(vocabulary, column, CellAt(k, column).Code);
    }
    Words = vocabulary;
    Changed(1, RowCount());
}

void ChannelTable::CopyStagingToMain(const ChannelTable& staging) {
    const int count = std::min(RowCount(), staging.RowCount());
    for (int k = 1; k <= count; ++k) {
        if (staging.Text(k, RxFrequency).trimmed().isEmpty())
            continue;
        CellAt(k, ChannelNo).Code = QStringLiteral("1");
        CellAt(k, RxFrequency).Text = staging.Text(k, RxFrequency);
        CellAt(k, TxFrequency).Text = staging.Text(k, TxFrequency);
        for (const int column : {RxTone, TxTone}) {
            const QString tone = staging.Text(k, column);
            CellAt(k, column).Text = tone.isEmpty() ? Words.NoneText : tone;
        }
        MarkTonesSet(k);
        for (int column = Power; column <= BusyLock; ++column) {
            const QString code = staging.Code(k, column);
            CellAt(k, column).Code = code;
            CellAt(k, column).Text = ItemOfCode(Words, column, code);
        }
        CellAt(k, TxFrequency).ReadOnly = false;
    }
    Changed(1, count);
}
