#include "MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

// The widget that had the focus and its ancestors, nearest first.
QList<QPointer<QWidget>> FocusChain() {
    QList<QPointer<QWidget>> chain;
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        chain.append(w);
    return chain;
}

// The focus goes back where it came from. A cell editor may have closed while the box was open; the
// nearest surviving control above it (the grid, on the same cell) takes the focus then, rather than
// the first control of the window (the band selector, where the next arrow key changes the band).
void RestoreFocus(const QList<QPointer<QWidget>>& chain) {
    for (const QPointer<QWidget>& w : chain)
        if (w && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus();
            return;
        }
}

} // namespace

Prompter::Result MessageBoxPrompter::Show(const QString& caption, const QString& text, Kind kind) {
    const QList<QPointer<QWidget>> focus = FocusChain();
    const Result result = ShowBox(caption, text, kind);
    RestoreFocus(focus);
    return result;
}

Prompter::Result MessageBoxPrompter::ShowBox(const QString& caption, const QString& text, Kind kind) {
    QWidget* parent = Parent ? Parent.data() : QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case Prompter::YesNo:
    case Prompter::YesNoDefaultNo: {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(Texts.Yes, QMessageBox::YesRole);
        QPushButton* no = box.addButton(Texts.No, QMessageBox::NoRole);
        box.setDefaultButton(kind == Prompter::YesNo ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Prompter::Yes : Prompter::No;
    }
    case Prompter::RetryCancel: {
        box.setIcon(QMessageBox::Question);
        QPushButton* retry = box.addButton(Texts.Retry, QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton(Texts.Cancel, QMessageBox::RejectRole);
        box.setDefaultButton(retry);
        box.setEscapeButton(cancel);
        box.exec();
        return box.clickedButton() == retry ? Prompter::Retry : Prompter::Cancel;
    }
    default: {
        box.setIcon(QMessageBox::Information);
        QPushButton* ok = box.addButton(Texts.Ok, QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return Prompter::Ok;
    }
    }
}
