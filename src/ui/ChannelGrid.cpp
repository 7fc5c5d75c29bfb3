#include "ChannelGrid.h"

#include "ChannelDelegates.h"
#include "ChannelModel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

TChannelGrid::TChannelGrid(ChannelModel* model, QWidget* parent) : QTableView(parent), Model(model) {
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(20);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setStretchLastSection(false);
    setItemDelegateForColumn(ChannelModel::ModelColumn(ChannelTable::RxFrequency),
                             new FrequencyDelegate(this));
    setItemDelegateForColumn(ChannelModel::ModelColumn(ChannelTable::TxFrequency),
                             new FrequencyDelegate(this));
}

void TChannelGrid::SetEditorLists(const QList<QComboBox*>& lists) {
    Lists = lists;
    for (int i = 0; i < lists.size(); ++i) {
        const int column = ChannelTable::RxTone + i;
        QStyledItemDelegate* delegate = nullptr;
        if (column == ChannelTable::RxTone || column == ChannelTable::TxTone)
            delegate = new ToneDelegate(lists[i], this);
        else
            delegate = new OptionListDelegate(lists[i], this);
        setItemDelegateForColumn(ChannelModel::ModelColumn(column), delegate);
    }
}

void TChannelGrid::SetTonePicker(const std::function<QString()>& pick) {
    PickTone = pick;
}

ChannelVocabulary TChannelGrid::EditorVocabulary() const {
    ChannelVocabulary v;
    if (Lists.size() != 8)
        return v;
    auto entries = [](const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items.append(list->itemText(i));
        return items;
    };
    // Both tone lists start with the none text; the receive list's is the one the cells show.
    v.NoneText = Lists[0]->itemText(0);
    v.PowerItems = entries(Lists[2]);
    v.BandwidthItems = entries(Lists[3]);
    v.ScanAddItems = entries(Lists[4]);
    v.OptSignalItems = entries(Lists[5]);
    v.PttIdItems = entries(Lists[6]);
    v.BusyLockItems = entries(Lists[7]);
    return v;
}

bool TChannelGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opened = QTableView::edit(index, trigger, event);
    if (!opened)
        return false;
    Editing = index;
    if (auto* combo = qobject_cast<QComboBox*>(indexWidget(index))) {
        combo->installEventFilter(this);
        if (QLineEdit* line = combo->lineEdit())
            line->installEventFilter(this);
    }
    return true;
}

bool TChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (auto* line = qobject_cast<QLineEdit*>(watched)) {
        auto* combo = qobject_cast<QComboBox*>(line->parentWidget());
        if (combo && event->type() == QEvent::MouseButtonDblClick && PickTone) {
            const QPersistentModelIndex index = Editing;
            QMetaObject::invokeMethod(
                this, [this, index] { PickToneFor(index); }, Qt::QueuedConnection);
            return true;
        }
        if (combo && (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel))
            return ListEditorEvent(combo, event);
        return false;
    }
    if (auto* combo = qobject_cast<QComboBox*>(watched))
        return ListEditorEvent(combo, event);
    return QTableView::eventFilter(watched, event);
}

bool TChannelGrid::ListEditorEvent(QComboBox* combo, QEvent* event) {
    if (event->type() != QEvent::Wheel && event->type() != QEvent::KeyPress)
        return false;
    // A dropped-down list is the user choosing: its keys are its own.
    if (combo->view()->isVisible())
        return false;
    if (event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(viewport(), event);
        return true;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    CursorAction move;
    switch (key->key()) {
    case Qt::Key_Up:
        move = MoveUp;
        break;
    case Qt::Key_Down:
        move = MoveDown;
        break;
    case Qt::Key_PageUp:
        move = MovePageUp;
        break;
    case Qt::Key_PageDown:
        move = MovePageDown;
        break;
    default:
        return false;
    }
    const QModelIndex target = moveCursor(move, key->modifiers());
    CommitAndCloseEditor();
    setFocus();
    if (target.isValid())
        setCurrentIndex(target);
    return true;
}

void TChannelGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // The window's focus child, also while a message box has the activation: an editor that had
    // the focus hands it to the grid, never to the next control of the window (the band selector).
    const QWidget* focus = window()->focusWidget();
    const bool hadFocus = editor && focus && (focus == editor || editor->isAncestorOf(focus));
    QTableView::closeEditor(editor, hint);
    if (hadFocus && isVisible())
        setFocus();
}

void TChannelGrid::PickToneFor(const QPersistentModelIndex& index) {
    if (!index.isValid() || !PickTone)
        return;
    CommitAndCloseEditor();
    const QString tone = PickTone();
    if (!index.isValid())
        return;
    if (!tone.isEmpty())
        model()->setData(index, tone, Qt::EditRole);
    setFocus();
    if (currentIndex() == index)
        ShowCellEditor(index);
}

bool TChannelGrid::OpenCellEditor(const QModelIndex& index) {
    return edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

QWidget* TChannelGrid::OpenEditor() const {
    if (state() != QAbstractItemView::EditingState || !Editing.isValid())
        return nullptr;
    return indexWidget(Editing);
}

void TChannelGrid::CommitAndCloseEditor() {
    if (QWidget* editor = OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    Editing = QPersistentModelIndex();
}

void TChannelGrid::ShowCellEditor(const QModelIndex& index) {
    // The list editors open on any cell of a channel in use; the model's flags say which.
    const int column = GridColumn(index);
    if (column >= ChannelTable::RxTone && column <= ChannelTable::BusyLock)
        OpenCellEditor(index);
}

void TChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    emit CellSelected(GridRow(current), GridColumn(current));
    ShowCellEditor(current);
}

void TChannelGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex before = currentIndex();
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index != currentIndex() || event->button() != Qt::LeftButton)
        return;
    const int column = GridColumn(index);
    if (column == ChannelTable::RxFrequency || column == ChannelTable::TxFrequency) {
        OpenCellEditor(index);
        return;
    }
    // A second click re-opens the list of the selected cell; the busy lock cell opens only on selection.
    if (index == before && column != ChannelTable::BusyLock)
        ShowCellEditor(index);
}
