#pragma once

// Answers real modal windows (message boxes, file dialogs, the program's dialogs) as a user would:
// a timer looks for QApplication::activeModalWidget() and runs the handler registered for its
// object name (or class name, for Qt's own boxes and dialogs). Each window is handled once; a
// window nobody expected is recorded and closed, so that a test fails instead of hanging.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

class ModalScript : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;

    ModalScript() { Schedule(); }

    // Handles every modal window of that object name or class name ("QMessageBox", "QFileDialog").
    void On(const QString& name, Handler handler) { Handlers.append({name, std::move(handler)}); }

    // The names of the modal windows handled so far, in order, and the texts of the message boxes.
    QStringList Seen;
    QStringList Texts;
    QStringList Unexpected;

    static QString NameOf(const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    }

    // Clicks the message box's button of that role, as the mouse would.
    static void Click(QWidget* w, QMessageBox::ButtonRole role) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == role) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        QFAIL("the message box has no button of that role");
    }

private:
    void Schedule() {
        // A fresh single shot each time: a handler that opens the next modal window runs inside its
        // event loop, where a timer still in its own slot would not fire again.
        QTimer::singleShot(10, this, [this] { Poll(); });
    }

    void Poll() {
        Schedule();
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        for (Done& done : Handled)
            if (done.Widget == w) {
                // A handler that returned without closing its window failed: close it, so that the
                // test reports that instead of hanging.
                if (!done.Running && done.Since.elapsed() > 3000) {
                    Unexpected.append(NameOf(w) + QStringLiteral(" left open"));
                    Close(w);
                }
                return;
            }
        Handled.append({w, QElapsedTimer(), true});
        Handled.last().Since.start();
        const qsizetype at = Handled.size() - 1;
        const QString name = NameOf(w);
        Seen.append(name);
        if (auto* box = qobject_cast<QMessageBox*>(w))
            Texts.append(box->text());
        for (const auto& [key, handler] : Handlers)
            if (key == name || w->inherits(key.toLatin1().constData())) {
                handler(w);
                Handled[at].Running = false;
                Handled[at].Since.start();
                return;
            }
        Unexpected.append(name);
        Close(w);
    }

    static void Close(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

    struct Done {
        QPointer<QWidget> Widget;
        QElapsedTimer Since;
        bool Running = false;
    };
    QList<std::pair<QString, Handler>> Handlers;
    QList<Done> Handled;
};
