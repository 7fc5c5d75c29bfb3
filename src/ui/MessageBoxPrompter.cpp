#include "MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int MessageBoxPrompter::Show(const QString& caption, const QString& text, int kind) {
    QWidget* parent = Parent ? Parent.data() : QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case Prompter::YesNo: {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(Texts.Yes, QMessageBox::YesRole);
        QPushButton* no = box.addButton(Texts.No, QMessageBox::NoRole);
        box.setDefaultButton(yes);
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
