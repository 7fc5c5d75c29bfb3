#pragma once

#include <QLabel>

class QComboBox;
class QHBoxLayout;
class QObject;
class QPushButton;

// Qt has no Tag: command numbers and the translator's marks (-2 never translate the entries,
// -3 translate only the first) are kept in the dynamic property "tag".
int TagOf(const QObject* object);
void SetTag(QObject* object, int tag);

// A text that the program writes (port name, band, status panels); the form translator leaves it
// alone, as it is no caption.
class TStaticText : public QLabel {
    Q_OBJECT
public:
    explicit TStaticText(QWidget* parent = nullptr) : QLabel(parent) {}
};

// A label and a fixed drop-down list named by their language-file keys; `tag` marks the list for
// the form translator (see SetTag).
QLabel* NewNamedLabel(QWidget* parent, const char* name, const QString& text);
QComboBox* NewNamedList(QWidget* parent, const char* name, const QStringList& items, int tag = 0);

// A caption for `buddy` (its accelerator moves the focus there), right-aligned before its field.
QLabel* NewBuddyLabel(QWidget* owner, const QString& name, const QString& text, QWidget* buddy);

// The OK and Cancel buttons a dialog ends with, named btnOk and btnCancel (their language-file
// keys), right-aligned in the returned row. OK is the default button unless Enter must not press it.
QHBoxLayout* NewOkCancelRow(QWidget* owner, QPushButton*& ok, QPushButton*& cancel, bool okIsDefault = true);
