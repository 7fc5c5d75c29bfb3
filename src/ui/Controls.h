#pragma once

#include <QLabel>

class QObject;

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
