#pragma once

#include "radiodata/ChannelTable.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class Prompter;
class TALL;
class TFun;
class TLanguage;

// The channel grid's model: the main channel table itself, one row per channel, model column c - 1
// for table column c. Typing a frequency runs the checks of the grid (not a number: refused;
// more than 10 MHz outside the band: band edge with a warning; snapping; a new channel gets the
// defaults); the list and tone editors store their values through CodeRole and EditRole.
class ChannelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int CodeRole = Qt::UserRole + 1;
    static int ModelColumn(int tableColumn) { return tableColumn - 1; }
    static int TableColumn(const QModelIndex& index) { return index.column() + 1; }
    static int Channel(const QModelIndex& index) { return index.row() + 1; }

    ChannelModel(ChannelTable& table, TALL& state, TFun& functions, const TLanguage& messages,
                 Prompter& prompts, QObject* parent = nullptr);
    ~ChannelModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    void SetColumns(const QStringList& titles, const QList<Qt::Alignment>& alignments);
    void SetTitles(const QStringList& titles);
    // Empties the table, or builds it with the current model's channel count.
    void ResetChannelTable();
    // The texts of a new language: none texts and option cells follow it.
    void Retranslate(const ChannelVocabulary& vocabulary);
    QString NoneText() const { return Table.NoneText(); }
    // The tooltip of a frequency the grid would not accept in the current band; "%1" and "%2" stand
    // for the lowest and highest frequency it accepts.
    void SetOutOfRangeTip(const QString& tip) { OutOfRangeTip = tip; }

    // What the grid accepts in the current band: 10 MHz either side of it (beyond that a typed
    // frequency is moved to the band edge).
    static double AcceptedLow(const TALL& state);
    static double AcceptedHigh(const TALL& state);
    static bool IsAcceptedFrequency(const QString& text, const TALL& state);
    // The channels in use whose receive or transmit frequency the grid would not accept: a file,
    // JSON or a read can bring them in, and the radio cannot use them.
    static QList<int> ChannelsOutsideBand(const ChannelTable& table, const TALL& state);
    ChannelTable& Channels() { return Table; }

private:
    bool IsOutOfRange(int channel, int column) const;
    bool SetFrequencyText(int channel, int column, const QString& text);
    bool SetToneText(int channel, int column, const QString& text);
    bool SetOptionCode(int channel, int column, const QString& code);

    ChannelTable& Table;
    TALL& State;
    TFun& Functions;
    const TLanguage& Messages;
    Prompter& Prompts;
    QStringList Titles;
    QList<Qt::Alignment> Alignments;
    QString OutOfRangeTip;
};
