#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <QtGlobal>

// The control of a window by its object name, the name the language files know it by. A missing
// control ends the test run: every later step would dereference it.
template <class T = QWidget> T* Child(const QObject& window, const char* name) {
    T* child = window.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("%s has no %s named %s", qPrintable(window.objectName()), T::staticMetaObject.className(),
               name);
    return child;
}
