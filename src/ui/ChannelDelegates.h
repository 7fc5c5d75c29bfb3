#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QComboBox;

// Drops the printable characters that are not in `allowed`; control keys (backspace, Enter, the
// arrows) pass.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(const QString& allowed, QObject* parent) : QObject(parent), Allowed(allowed) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Allowed;
};

// A text cell whose storing may show a message box. Enter stores and closes at once: the base
// class queues that, and a queued close that runs inside the box of another commit (a click on OK
// meanwhile) deletes the editor under that commit.
class TextCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The text editor of the receive and transmit frequency cells: digits and "." only. Only a text the
// user changed is stored; the model checks it (range, snapping, activation).
class FrequencyDelegate : public TextCellDelegate {
    Q_OBJECT
public:
    using TextCellDelegate::TextCellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

// A fixed list over an option cell (power, bandwidth, ...): the chosen index is stored at once.
class OptionListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    OptionListDelegate(QComboBox* items, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    // The window's list control, translated with the window; its entries are copied into each editor.
    QPointer<QComboBox> Items;
};

// An editable tone list over a signalling cell: a chosen entry is stored at once, a typed text when
// typing ends. The grid opens the tone picker on a double click in the editor.
class ToneDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ToneDelegate(QComboBox* items, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    QPointer<QComboBox> Items;
};
