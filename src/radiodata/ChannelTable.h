#pragma once

#include "Codeplug.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class TFun;

// The texts a channel table shows for "no tone" and for the items of its option columns, in the
// current language. Item i of a column is the text of code i.
struct ChannelVocabulary {
    QString NoneText;
    QStringList PowerItems;
    QStringList BandwidthItems;
    QStringList ScanAddItems;
    QStringList OptSignalItems;
    QStringList PttIdItems;
    QStringList BusyLockItems;

    // The built-in Chinese texts.
    static ChannelVocabulary BuiltIn();
    // Items of an option column (Power to BusyLock); empty for any other column.
    const QStringList& ItemsOf(int column) const;
    // The item of that index, or the empty text when there is none.
    QString ItemText(int column, int index) const;

    bool operator==(const ChannelVocabulary&) const = default;
};

// One row of text cells per channel. Every cell has a shown text, a code text (the in-use mark in
// column 1, the item index in the option columns) and a read-only mark for typing. The main table
// behind the grid and the staging table of a read are two instances.
class ChannelTable {
public:
    enum Column {
        ChannelNo = 1,
        RxFrequency,
        TxFrequency,
        RxTone,
        TxTone,
        Power,
        Bandwidth,
        ScanAdd,
        OptSignal,
        PttId,
        BusyLock
    };
    static constexpr int kColumnCount = 11;

    struct Cell {
        QString Text;
        QString Code;
        bool ReadOnly = true;

        bool operator==(const Cell&) const = default;
    };

    explicit ChannelTable(ChannelVocabulary vocabulary = ChannelVocabulary::BuiltIn());

    // Notifications for a view: RowsChanged after cells of channels first..last changed;
    // AboutToRebuild/Rebuilt around a change of the number of rows.
    std::function<void(int first, int last)> RowsChanged;
    std::function<void()> AboutToRebuild;
    std::function<void()> Rebuilt;

    int RowCount() const { return static_cast<int>(Rows.size()); }
    // Channel 1..RowCount(), column ChannelNo..BusyLock; an empty read-only cell otherwise.
    const Cell& At(int channel, int column) const;
    QString Text(int channel, int column) const { return At(channel, column).Text; }
    QString Code(int channel, int column) const { return At(channel, column).Code; }
    bool IsReadOnly(int channel, int column) const { return At(channel, column).ReadOnly; }

    const ChannelVocabulary& Vocabulary() const { return Words; }
    const QString& NoneText() const { return Words.NoneText; }

    // Plain cell edits for the grid and the edit dialogs; the operations below keep the rules.
    void SetText(int channel, int column, const QString& text);
    void SetCode(int channel, int column, const QString& code);
    void SetReadOnly(int channel, int column, bool readOnly);
    // An option column: code := index, shown text := the item of that index.
    void SetOption(int channel, int column, int index);

    // Main table: empties every row when it has channelCount rows already (the transmit frequency
    // and busy lock cells become read-only again), otherwise rebuilds it with channelCount rows
    // that can only be typed into in the receive frequency column.
    void ResetChannelTable(int channelCount);
    // Staging table: channelCount empty rows.
    void PrepareStagingTable(int channelCount);
    // A receive frequency was stored into a channel not in use: the defaults of a new channel.
    void ActivateChannel(int channel);
    // The receive frequency was erased: the row is emptied; the current channel of the function
    // settings becomes 0 when it was this one.
    void ClearChannel(int channel, TFun& functions);
    bool IsChannelInUse(int channel) const;
    // A channel in use as values. False, with the reason in `error`, for a channel not in use or a
    // cell that cannot be stored (a frequency or code text that is not a number, a tone that the
    // radio cannot hold, an index outside its list).
    bool GetChannelValues(int channel, ChannelValues& values, QString* error = nullptr) const;
    // Staging table, after a read: shown texts of the frequencies and tones, codes of the options.
    void PutDecodedChannel(int channel, const ChannelValues& values);
    // Main table, after opening a file: the whole row, marked in use.
    void PutLoadedChannel(int channel, const ChannelValues& values);
    // After a language change: none texts and option items of channels in use follow the new
    // vocabulary, which then becomes current.
    void RetranslateChannelTable(const ChannelVocabulary& vocabulary);
    // Main table, after a completed read: every channel in use in the staging table is copied in;
    // the others are left as they are (the read command empties the table first).
    void CopyStagingToMain(const ChannelTable& staging);

private:
    using Row = std::array<Cell, kColumnCount>;

    bool Valid(int channel, int column) const;
    Cell& CellAt(int channel, int column) {
        return Rows[static_cast<size_t>(channel - 1)][static_cast<size_t>(column - 1)];
    }
    void ClearRow(int channel);
    void MarkTonesSet(int channel);
    void Rebuild(int channelCount, bool numbered);
    void Changed(int first, int last) const;

    ChannelVocabulary Words;
    std::vector<Row> Rows;
};
