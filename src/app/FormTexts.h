#pragma once

#include "core/IniFile.h"
#include "radiodata/ChannelTable.h"

#include <QString>
#include <QStringList>

class TALL;

// The texts a window shows in the current language, without the window: the language file's text
// under the window's section and the control's key, or the built-in text. The windows build their
// controls from the same built-in texts, so a report or an export sees what a window would show.
class FormTexts {
public:
    explicit FormTexts(const TALL& state);

    QString Text(const QString& form, const QString& key, const QString& builtIn) const;
    // Entries of a list: all translated, none (marker -2: numbers), or the first only (marker -3).
    QStringList Items(const QString& form, const QString& list, const QStringList& builtIn,
                      int marker = 0) const;

    // The channel table's none text and option texts, as the main window's lists carry them.
    ChannelVocabulary Vocabulary() const;

private:
    IniFile Language;
    bool Translated = false;
};

// A list of settings as a window builds it and the report shows it: its name (the language-file
// key), its caption label's name and text, its built-in entries and its translation marker.
struct SettingList {
    QString Name;
    QString CaptionName;
    QString Caption;
    QStringList Items;
    int Marker = 0;
};

// The function settings dialog's lists that the settings report prints, in the report's order.
const QList<SettingList>& FunctionReportLists();
const SettingList& FunctionReportList(const QString& name);
// The built-in caption of the function settings dialog.
QString FunctionSettingsTitle();
// The channel grid's built-in column titles, in column order.
QStringList BuiltInGridTitles();
// Built-in captions of the main window that the report prints, by control name ("Label9", "lMode").
QString MainWindowCaption(const char* name);
// The frequency mode lines of the main window: step and offset direction.
const SettingList& VfoStepList();
const SettingList& VfoOffsetDirectionList();
