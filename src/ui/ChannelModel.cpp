#include "ChannelModel.h"

#include "app/AppState.h"
#include "core/Prompt.h"
#include "core/Values.h"
#include "dialogs/EditHelpers.h"
#include "lang/Language.h"
#include "radiodata/FunctionSettings.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

ChannelModel::ChannelModel(ChannelTable& table, TALL& state, TFun& functions, const TLanguage& messages,
                           Prompter& prompts, QObject* parent)
    : QAbstractTableModel(parent), Table(table), State(state), Functions(functions), Messages(messages),
      Prompts(prompts) {
    Table.RowsChanged = [this](int first, int last) {
        emit dataChanged(index(first - 1, 0), index(last - 1, ChannelTable::kColumnCount - 1));
    };
    Table.AboutToRebuild = [this] { beginResetModel(); };
    Table.Rebuilt = [this] { endResetModel(); };
}

ChannelModel::~ChannelModel() {
    Table.RowsChanged = nullptr;
    Table.AboutToRebuild = nullptr;
    Table.Rebuilt = nullptr;
}

int ChannelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Table.RowCount();
}

int ChannelModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ChannelTable::kColumnCount;
}

QVariant ChannelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int k = Channel(index);
    const int column = TableColumn(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Table.Text(k, column);
    case CodeRole:
        return Table.Code(k, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(index.column() < Alignments.size() ? Alignments.at(index.column())
                                                                      : Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        // The channel numbers are a fixed heading column.
        if (column == ChannelTable::ChannelNo)
            return QApplication::palette().button();
        if (IsOutOfRange(k, column))
            return QColor(0xF4, 0xC7, 0xC3);
        return {};
    case Qt::ForegroundRole:
        if (IsOutOfRange(k, column))
            return QColor(0x80, 0x00, 0x00);
        return {};
    case Qt::ToolTipRole:
        if (IsOutOfRange(k, column))
            return OutOfRangeTip.arg(FormatFrequency(AcceptedLow(State)),
                                     FormatFrequency(AcceptedHigh(State)));
        return {};
    default:
        return {};
    }
}

bool ChannelModel::IsOutOfRange(int k, int column) const {
    return (column == ChannelTable::RxFrequency || column == ChannelTable::TxFrequency) &&
           !IsAcceptedFrequency(Table.Text(k, column), State);
}

double ChannelModel::AcceptedLow(const TALL& state) {
    return state.BandLow - kBandMargin;
}

double ChannelModel::AcceptedHigh(const TALL& state) {
    return state.BandHigh + kBandMargin;
}

bool ChannelModel::IsAcceptedFrequency(const QString& text, const TALL& state) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    double v = 0;
    if (!ParseFrequencyText(trimmed, v))
        return false;
    const qint64 units = FrequencyUnits(v);
    return units >= FrequencyUnits(AcceptedLow(state)) && units <= FrequencyUnits(AcceptedHigh(state));
}

QList<int> ChannelModel::ChannelsOutsideBand(const ChannelTable& table, const TALL& state) {
    QList<int> channels;
    for (int k = 1; k <= table.RowCount(); ++k)
        if (table.IsChannelInUse(k) &&
            (!IsAcceptedFrequency(table.Text(k, ChannelTable::RxFrequency), state) ||
             !IsAcceptedFrequency(table.Text(k, ChannelTable::TxFrequency), state)))
            channels.append(k);
    return channels;
}

QVariant ChannelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section >= 0 && section < Titles.size() ? Titles.at(section) : QString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

bool ChannelModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ChannelTable::kColumnCount)
        return false;
    while (Titles.size() <= section)
        Titles.append(QString());
    Titles[section] = value.toString();
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags ChannelModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const int k = Channel(index);
    const int column = TableColumn(index);
    if (column == ChannelTable::ChannelNo)
        return Qt::ItemIsEnabled;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const bool inUse = Table.IsChannelInUse(k);
    bool editable = false;
    switch (column) {
    case ChannelTable::RxFrequency:
        editable = !Table.IsReadOnly(k, column);
        break;
    case ChannelTable::TxFrequency:
        editable = inUse && !Table.IsReadOnly(k, column);
        break;
    case ChannelTable::TxTone:
        // Without a transmit frequency there is nothing to signal on.
        editable = inUse && !Table.Text(k, ChannelTable::TxFrequency).trimmed().isEmpty();
        break;
    default:
        // The list and tone editors: on any channel in use, whatever the typing marks say.
        editable = inUse;
        break;
    }
    return editable ? base | Qt::ItemIsEditable : base;
}

bool ChannelModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int k = Channel(index);
    const int column = TableColumn(index);
    switch (column) {
    case ChannelTable::RxFrequency:
    case ChannelTable::TxFrequency:
        return role == Qt::EditRole && SetFrequencyText(k, column, value.toString());
    case ChannelTable::RxTone:
    case ChannelTable::TxTone:
        return role == Qt::EditRole && SetToneText(k, column, value.toString());
    default:
        return role == CodeRole && SetOptionCode(k, column, value.toString());
    }
}

bool ChannelModel::SetFrequencyText(int k, int column, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        State.Modified = true;
        if (column == ChannelTable::RxFrequency)
            Table.ClearChannel(k, Functions);
        else
            Table.SetText(k, column, QString());
        return true;
    }
    double v = 0;
    // "1.2.3" or a lone "." is no frequency: refused, the cell keeps its text.
    if (!ParseFrequencyText(trimmed, v)) {
        ShowPrompt(Prompts, Messages.Caution, Messages.ErrRange, Prompter::Information);
        return false;
    }
    State.Modified = true;
    const qint64 units = FrequencyUnits(v);
    if (units > FrequencyUnits(AcceptedHigh(State))) {
        ShowPrompt(Prompts, Messages.Caution, Messages.OutRange, Prompter::Information);
        v = State.BandHigh;
    } else if (units < FrequencyUnits(AcceptedLow(State))) {
        ShowPrompt(Prompts, Messages.Caution, Messages.OutRange, Prompter::Information);
        v = State.BandLow;
    }
    Table.SetText(k, column, FormatFrequency(SnapFrequency(v)));
    if (column == ChannelTable::RxFrequency && Table.Code(k, ChannelTable::ChannelNo).isEmpty())
        Table.ActivateChannel(k);
    return true;
}

bool ChannelModel::SetToneText(int k, int column, const QString& text) {
    // The translator re-texts the lists during a language change; that is no edit.
    if (State.TextsUpdating)
        return false;
    const QString none = Table.NoneText();
    const QString tone = text.isEmpty() || text == none ? none : NormalizeToneText(text);
    if (tone == Table.Text(k, column))
        return false;
    Table.SetText(k, column, tone);
    State.Modified = true;
    return true;
}

bool ChannelModel::SetOptionCode(int k, int column, const QString& code) {
    if (State.TextsUpdating)
        return false;
    bool ok = false;
    const int item = code.toInt(&ok);
    if (!ok || item < 0 || item >= Table.Vocabulary().ItemsOf(column).size())
        return false;
    if (Table.Code(k, column) == code && Table.Text(k, column) == Table.Vocabulary().ItemText(column, item))
        return false;
    Table.SetOption(k, column, item);
    State.Modified = true;
    return true;
}

void ChannelModel::SetColumns(const QStringList& titles, const QList<Qt::Alignment>& alignments) {
    Alignments = alignments;
    SetTitles(titles);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
}

void ChannelModel::SetTitles(const QStringList& titles) {
    Titles = titles;
    emit headerDataChanged(Qt::Horizontal, 0, ChannelTable::kColumnCount - 1);
}

void ChannelModel::ResetChannelTable() {
    Table.ResetChannelTable(State.ChannelCount);
}

void ChannelModel::Retranslate(const ChannelVocabulary& vocabulary) {
    Table.RetranslateChannelTable(vocabulary);
}
