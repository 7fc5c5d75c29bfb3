#pragma once

#include <QStringList>

// The none entry, first item of every tone list in the built-in language.
QString BuiltInNoneText();

// 261 entries: none, 50 CTCSS tones, 105 DCS codes with "N", the same codes with "I".
const QStringList& LongToneList();
// 207 entries (frequency mode): none, 40 CTCSS tones, 83 DCS codes with "N", then with "I".
const QStringList& ShortToneList();
// 133 entries behind the tone picker: 42 "01-67.0-XZ" rows, 3 empty, 85 "1-D023" rows, 3 empty.
const QStringList& PickerTable();
