#include "EditHelpers.h"

#include "core/Values.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(QObject* parent, std::function<bool(QChar)> allowed)
        : QObject(parent), Allowed(std::move(allowed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool shortcut =
                key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (!shortcut && text.size() == 1 && text.at(0).isPrint() && !Allowed(text.at(0)))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QChar)> Allowed;
};

class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> onDoubleClick)
        : QObject(parent), OnDoubleClick(std::move(onDoubleClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            OnDoubleClick();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> OnDoubleClick;
};

class CommitFilter : public QObject {
public:
    CommitFilter(QLineEdit* edit, std::function<bool()> commit, bool onEditingFinished = true)
        : QObject(edit), Edit(edit), Commit(std::move(commit)) {
        if (onEditingFinished)
            connect(edit, &QLineEdit::editingFinished, this, [this] { CommitText(Edit, Commit); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !CommitText(Edit, Commit))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit* Edit;
    std::function<bool()> Commit;
};

} // namespace

double ClampToBand(double mhz, double low, double high, double margin, bool* moved) {
    const qint64 units = FrequencyUnits(mhz);
    double result = mhz;
    if (units > FrequencyUnits(high + margin))
        result = high;
    else if (units < FrequencyUnits(low - margin))
        result = low;
    if (moved)
        *moved = result != mhz;
    return result;
}

bool IsFrequencyKey(QChar c) {
    return c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool IsToneKey(QChar c) {
    return IsFrequencyKey(c) || QStringLiteral("DINdin").contains(c);
}

void InstallKeyFilter(QWidget* editor, std::function<bool(QChar)> allowed) {
    editor->installEventFilter(new KeyFilter(editor, std::move(allowed)));
}

void InstallTextFilter(QLineEdit* editor, std::function<bool(QChar)> allowed, bool upperCase) {
    QObject::connect(editor, &QLineEdit::textEdited, editor,
                     [editor, allowed, upperCase](const QString& text) {
                         QString kept;
                         int cursor = editor->cursorPosition();
                         for (int i = 0; i < text.size(); ++i) {
                             if (allowed(text.at(i)))
                                 kept.append(upperCase ? text.at(i).toUpper() : text.at(i));
                             else if (i < editor->cursorPosition())
                                 --cursor;
                         }
                         if (kept != text) {
                             editor->setText(kept);
                             editor->setCursorPosition(qMax(0, cursor));
                         }
                     });
}

void OnTextCommitted(QLineEdit* edit, std::function<bool()> commit) {
    edit->installEventFilter(new CommitFilter(edit, std::move(commit)));
}

bool CommitText(QLineEdit* edit, const std::function<bool()>& commit) {
    if (!edit->isModified())
        return true;
    // Cleared first: a message box shown while committing takes the focus, and that must not
    // commit the same text a second time.
    edit->setModified(false);
    return commit();
}

void SetupToneBox(QComboBox* box, const QStringList& tones) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(16);
    box->addItems(tones);
    SetTag(box, -3);
    // Keys reach the box or its text field depending on where the focus is.
    InstallKeyFilter(box, IsToneKey);
    InstallKeyFilter(box->lineEdit(), IsToneKey);
}

void OnToneCommitted(QComboBox* box, std::function<void()> commit) {
    QObject::connect(box, &QComboBox::activated, box, [commit] { commit(); });
    const std::function<bool()> take = [commit] {
        commit();
        return true;
    };
    OnTextCommitted(box->lineEdit(), take);
    box->installEventFilter(new CommitFilter(box->lineEdit(), take, false));
}

void SetToneBoxText(QComboBox* box, const QString& text) {
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
    else
        box->setEditText(text);
    // setCurrentIndex does not rewrite the text when the index stays the same after an edit.
    if (box->currentText() != text)
        box->setEditText(text);
}

void OnToneBoxDoubleClick(QComboBox* box, std::function<void()> onDoubleClick) {
    box->lineEdit()->installEventFilter(new DoubleClickFilter(box, std::move(onDoubleClick)));
}
