#pragma once

// A fresh program state for one dialog test: its own program directory, the single instances with
// the default model and band, scripted message boxes, and modal dialogs run by a script.

#include "../common/Child.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "ui/FileChooser.h"
#include "ui/UiServices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <memory>

inline QString SourceFile(const QString& relative) {
    return QStringLiteral(V35_SOURCE_DIR "/") + relative;
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum class Language { BuiltIn, English };

struct DialogFixture {
    explicit DialogFixture(Language language = Language::BuiltIn) {
        if (language == Language::English) {
            WriteFile(QStringLiteral("English.Ini"), ReadAll(SourceFile(QStringLiteral("lang/English.Ini"))));
            WriteFile(QStringLiteral("SysInfo.Ini"),
                      "[SysInfo]\nDefaultLanguage=1\nLanguage=Chinese|English\n");
        }
        Db = std::make_unique<TfMaindb>(Dir());
        Db->SelectDefaultModel();
        Ui = std::make_unique<UiServices>(Prompts, Files);
        Ui->ExecDialog = [this](QDialog& dialog) {
            ++Executed[dialog.objectName()];
            dialog.show();
            const auto it = OnDialog.find(dialog.objectName());
            if (it == OnDialog.end())
                dialog.reject(); // nobody scripted it: shown and cancelled
            else
                it->second(dialog);
            dialog.hide();
            return dialog.result();
        };
    }

    QString Dir() const { return Temp.path() + QLatin1Char('/'); }

    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Dir() + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    // The texts of the message boxes shown so far.
    QStringList Shown() const {
        QStringList texts;
        for (const ScriptedPrompter::Shown& s : Prompts.Log)
            texts.append(s.Text);
        return texts;
    }
    QStringList Captions() const {
        QStringList captions;
        for (const ScriptedPrompter::Shown& s : Prompts.Log)
            captions.append(s.Caption);
        return captions;
    }

    QTemporaryDir Temp;
    ScriptedPrompter Prompts;
    ScriptedFileChooser Files;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<UiServices> Ui;
    // Scripted dialogs by object name: the dialog has been shown; the script closes it.
    std::map<QString, std::function<void(QDialog&)>> OnDialog;
    std::map<QString, int> Executed;
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
