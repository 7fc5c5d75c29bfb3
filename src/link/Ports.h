#pragma once

#include <QStringList>

// Appends the serial ports that can be opened now, in ascending (natural) order; nothing happens
// when no list is given.
void ListComPorts(QStringList* list);

// "COM2" before "COM10", "/dev/ttyUSB2" before "/dev/ttyUSB10".
bool NaturalLess(const QString& a, const QString& b);
