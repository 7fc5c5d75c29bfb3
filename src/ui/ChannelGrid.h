#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

#include <functional>

class ChannelModel;
class QComboBox;
struct ChannelVocabulary;

// The channel grid: a table view over the channel model with one delegate per editor kind. A
// signalling or option cell opens its list as soon as it is selected; a frequency cell opens its
// text editor on a click or on typing.
class TChannelGrid : public QTableView {
    Q_OBJECT
public:
    TChannelGrid(ChannelModel* model, QWidget* parent = nullptr);

    // The window's lists in column order: receive and transmit tones, then the six option lists.
    void SetEditorLists(const QList<QComboBox*>& lists);
    void SetTonePicker(const std::function<QString()>& pick);
    // The entries of those lists, in the current language.
    ChannelVocabulary EditorVocabulary() const;

    // Stores what the open editor holds (with the checks of the frequency cells) and closes it.
    void CommitAndCloseEditor();
    // Opens the cell's editor as a click would; false when the cell cannot be edited now.
    bool OpenCellEditor(const QModelIndex& index);
    // The open editor, if any.
    QWidget* OpenEditor() const;

    // Keys typed on a cell that cannot be edited do nothing: a search would move the current cell
    // to another channel and open its editor with the rest of what was typed.
    void keyboardSearch(const QString&) override {}

    // Grid rows and columns counted as the window counts them: channel k is row k + 1, columns 1 to 11.
    static int GridRow(const QModelIndex& index) { return index.row() + 2; }
    static int GridColumn(const QModelIndex& index) { return index.column() + 1; }

signals:
    void CellSelected(int row, int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void ShowCellEditor(const QModelIndex& index);
    // The picker is modal: it runs after the editor is closed, and its tone is stored in the cell
    // the double click came from, so no editor has to outlive the picker's event loop.
    void PickToneFor(const QPersistentModelIndex& index);
    // Up/Down and the wheel over a list editor move through the grid instead of choosing an entry.
    bool ListEditorEvent(QComboBox* combo, QEvent* event);

    ChannelModel* Model;
    QList<QComboBox*> Lists;
    std::function<QString()> PickTone;
    QPersistentModelIndex Editing;
};
