#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Gives a window's texts for one language: key -> text, the current text being the default.
using FormTextLookup = std::function<QString(const QString& key, const QString& current)>;

// Walks the window's caption and then its named controls in creation order, and replaces each text
// by lookup(key, current text): labels, menu items, push buttons, tool buttons (caption and hint),
// grid titles, drop-down lists (only with translateLists; tag -2 never, tag -3 only entry 0), check
// boxes, radio buttons, group boxes, tabs and lists (unless tag -2). Static texts are left alone.
void ApplyFormTexts(QWidget* form, bool translateLists, const FormTextLookup& lookup);

// The texts of the language file programDir + languageName + ".Ini", section = the window's object
// name. A missing file, section or key leaves the text as it is.
void TranslateForm(QWidget* form, const QString& programDir, const QString& languageName,
                   bool translateLists);

// The keys that TranslateForm looks up for this window, in the order it looks them up.
QStringList FormTextKeys(QWidget* form, bool translateLists);
