#pragma once

#include <QList>
#include <QString>

// The two in-memory tables a settings report is laid out from. Every report empties and refills
// them, so between reports they hold the data of the last one.

// Header table: one record per report.
struct TMainRecord {
    QString Title;
    QString AField;
    QString AValue;
    QString BField;
    QString BValue;
    QString CField;
    QString CValue;
    QString DFiled; // spelled as the report template has always named it; never filled
    QString DValue;
};

// Detail table: one record per report line; a group begins whenever TypeID changes.
struct TAdoRecord {
    enum Group { FunctionSettings = 6, FrequencyMode = 5, Channels = 8 };

    int TypeID = 0;
    QString TypeName;
    QString AField;
    QString AValue;
    QString BField;
    QString BValue;
    // This line and the ones after it that stay on one page with it (a channel's six lines).
    int KeepTogether = 1;
};
