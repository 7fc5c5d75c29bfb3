#pragma once

#include "AppState.h"
#include "ReportTables.h"
#include "core/MacType.h"
#include "lang/Language.h"
#include "radiodata/ChannelTable.h"
#include "radiodata/FunctionSettings.h"
#include "radiodata/Records.h"

#include <QString>

// Creates and owns the seven single instances for one run and runs the start-up sequence.
// Windows, dialogs and operations get them by reference; a test builds a fresh set per case.
class TfMaindb {
public:
    // programDir with or without its trailing separator.
    explicit TfMaindb(const QString& programDir);
    TfMaindb(const TfMaindb&) = delete;
    TfMaindb& operator=(const TfMaindb&) = delete;

    // What the main window does when first shown: model entry 0 with its default band, and the
    // main channel table with a row per channel.
    void SelectDefaultModel();
    // Reloads the message catalogue of AppState.LanguageName.
    void ReloadMessages();
    // PortName, LanguageIndex and PicIndex back into SysInfo.Ini (after the main window closed).
    bool SaveSettings(QString* error = nullptr) const;

    TMacList Catalogue;
    TALL AppState;
    TTestFre TestFrequencies;
    TEnMsg EmbeddedMessage;
    TFun FunctionSettings;
    TFrqList BandList;
    TLanguage Messages;
    QString LanguageList; // the "Language" list of SysInfo.Ini, for the language dialog

    // The channel table behind the main grid, and the one a read fills before it is copied in.
    ChannelTable MainTable;
    ChannelTable StagingTable;

    // The two tables the settings report is laid out from; each report refills them.
    QList<TMainRecord> myMain;
    QList<TAdoRecord> myAdo;
};
