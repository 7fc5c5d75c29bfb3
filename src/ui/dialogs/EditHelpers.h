#pragma once

#include "core/Values.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

// How far outside its band a typed channel frequency may lie before it is set to the band edge.
constexpr double kBandMargin = kChannelBandMargin;

// `mhz` when it lies within low - margin .. high + margin, otherwise the nearer band edge itself
// (not the margin); `moved` says which.
double ClampToBand(double mhz, double low, double high, double margin, bool* moved = nullptr);

// Characters the editors let the user type. Backspace, Enter and the navigation keys are never
// characters here, so they always pass.
bool IsFrequencyKey(QChar c); // '.', '0'..'9'
bool IsToneKey(QChar c);      // '.', '0'..'9', 'D', 'I', 'N', 'd', 'i', 'n'

// Drops every typed character that `allowed` refuses. Shortcuts (Ctrl, Alt) still reach their
// target, and pasted text is left to the value checks that follow the edit.
void InstallKeyFilter(QWidget* editor, std::function<bool(QChar)> allowed);

// Keeps only the characters that `allowed` accepts in what the user types or pastes (input methods
// included), optionally in upper case. Texts set by the program are shown as they are.
void InstallTextFilter(QLineEdit* editor, std::function<bool(QChar)> allowed, bool upperCase);

// An editable tone box: the given tone list (entry 0 the none text), tag -3 so that the form
// translator replaces only the none text, the tone key filter, and no inline completion or item
// insertion, so that Enter takes exactly what was typed.
void SetupToneBox(QComboBox* box, const QStringList& tones);
// The same for what the user finishes typing into a tone box or picks from its list.
void OnToneCommitted(QComboBox* box, std::function<void()> commit);

// Puts `text` into a tone box: the matching entry when there is one, otherwise as typed text.
void SetToneBoxText(QComboBox* box, const QString& text);

// Runs `commit` when the user has finished typing into `edit` (Enter, or the focus leaving it) after
// changing its text since the program last set it. `commit` returns false when it refused the
// text; Enter then stops there instead of also pressing the dialog's default button.
void OnTextCommitted(QLineEdit* edit, std::function<bool()> commit);
// Runs `commit` now if the user has changed the text: for a value still being typed when a button
// is pressed by its shortcut. True when there was nothing to take or it was taken.
bool CommitText(QLineEdit* edit, const std::function<bool()>& commit);

// Runs `onDoubleClick` when the box's text field is double-clicked (instead of selecting a word).
void OnToneBoxDoubleClick(QComboBox* box, std::function<void()> onDoubleClick);
