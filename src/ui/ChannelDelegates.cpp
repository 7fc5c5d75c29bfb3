#include "ChannelDelegates.h"

#include "ChannelModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QString kFrequencyKeys = QStringLiteral("0123456789.");
const QString kToneKeys = QStringLiteral("0123456789.DINdin");

} // namespace

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return QObject::eventFilter(watched, event);
        if (text.size() == 1 && text.at(0).isPrint() && !Allowed.contains(text.at(0)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TextCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

QWidget* FrequencyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setAlignment(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>());
    edit->installEventFilter(new KeyFilter(kFrequencyKeys, edit));
    return edit;
}

void FrequencyDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->setModified(false);
}

void FrequencyDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    // Passing over a cell without typing stores nothing.
    if (!edit->isModified())
        return;
    edit->setModified(false);
    model->setData(index, edit->text(), Qt::EditRole);
}

OptionListDelegate::OptionListDelegate(QComboBox* items, QObject* parent)
    : QStyledItemDelegate(parent), Items(items) {}

QWidget* OptionListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    for (int i = 0; Items && i < Items->count(); ++i)
        combo->addItem(Items->itemText(i));
    // A chosen entry is stored at once, as the grid shows it.
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo] { emit const_cast<OptionListDelegate*>(this)->commitData(combo); });
    return combo;
}

void OptionListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    // Presetting the editor is no choice.
    const QSignalBlocker block(combo);
    const int code = index.data(ChannelModel::CodeRole).toString().toInt();
    combo->setCurrentIndex(code >= 0 && code < combo->count() ? code : 0);
}

void OptionListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    model->setData(index, QString::number(combo->currentIndex()), ChannelModel::CodeRole);
}

ToneDelegate::ToneDelegate(QComboBox* items, QObject* parent) : QStyledItemDelegate(parent), Items(items) {}

QWidget* ToneDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Completing "1" to "100.0" would store a tone the user did not type.
    combo->setCompleter(nullptr);
    for (int i = 0; Items && i < Items->count(); ++i)
        combo->addItem(Items->itemText(i));
    combo->lineEdit()->installEventFilter(new KeyFilter(kToneKeys, combo));
    connect(combo, &QComboBox::activated, this,
            [this, combo] { emit const_cast<ToneDelegate*>(this)->commitData(combo); });
    return combo;
}

void ToneDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    const QSignalBlocker block(combo);
    const QString text = index.data(Qt::EditRole).toString();
    const int item = combo->findText(text);
    if (item >= 0)
        combo->setCurrentIndex(item);
    combo->setEditText(text);
}

void ToneDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    model->setData(index, combo->currentText(), Qt::EditRole);
}
