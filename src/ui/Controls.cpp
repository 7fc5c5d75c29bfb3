#include "Controls.h"

#include <QVariant>

int TagOf(const QObject* object) {
    return object ? object->property("tag").toInt() : 0;
}

void SetTag(QObject* object, int tag) {
    object->setProperty("tag", tag);
}
