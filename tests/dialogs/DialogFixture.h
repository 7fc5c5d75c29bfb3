#pragma once

// A fresh program state for one dialog test: its own program directory, the single instances with
// the default model and band, scripted message boxes, and modal dialogs run by a script.

#include "common/ProgramFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

enum class Language { BuiltIn, English };

struct DialogFixture : ProgramFixture {
    explicit DialogFixture(Language language = Language::BuiltIn) {
        if (language == Language::English) {
            WriteFile(QStringLiteral("English.Ini"), ReadAll(SourceFile(QStringLiteral("lang/English.Ini"))));
            WriteFile(QStringLiteral("SysInfo.Ini"),
                      "[SysInfo]\nDefaultLanguage=1\nLanguage=Chinese|English\n");
        }
        Start(Prompts, Files);
        Db->SelectDefaultModel();
    }
};

// The text field of a line edit or of an editable combo box.
inline QLineEdit* LineOf(QWidget* editor) {
    if (auto* box = qobject_cast<QComboBox*>(editor))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(editor);
}

// Types any text, also characters that no key of a test keyboard produces.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Replaces the whole text of a field by typing, as the user would (the key filters apply).
inline void Retype(QWidget* editor, const QString& text) {
    QLineEdit* line = LineOf(editor);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, text);
}

// Types and presses Enter: the field takes the value, and in a dialog whose OK is its default
// button Enter then also presses OK.
inline void TypeAndEnter(QWidget* editor, const QString& text) {
    Retype(editor, text);
    QTest::keyClick(LineOf(editor), Qt::Key_Return);
}

// Types and leaves the field, as Tab or a click elsewhere does.
inline void TypeAndLeave(QWidget* editor, const QString& text) {
    Retype(editor, text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(LineOf(editor), &leave);
}

// Clicks a dialog button unless the dialog has already closed.
inline void Click(QWidget* button) {
    if (button->window()->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
}

// Double-clicks a cell of a table as the user would.
inline void DoubleClickCell(QAbstractItemView* view, const QModelIndex& index) {
    const QPoint centre = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}
