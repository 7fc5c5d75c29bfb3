#include "Ports.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

bool NaturalLess(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const QString na = a.mid(i, ei - i), nb = b.mid(j, ej - j);
            const qulonglong va = na.toULongLong(), vb = nb.toULongLong();
            if (va != vb)
                return va < vb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

void ListComPorts(QStringList* list) {
    if (!list)
        return;
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const QString name = info.portName();
#else
        const QString name = info.systemLocation();
#endif
        // Only ports that can be opened now: absent ones and those in use by another program are left out.
        QSerialPort port;
        port.setPortName(name);
        if (port.open(QIODevice::ReadWrite)) {
            port.close();
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    list->append(names);
}
