#pragma once

#include "radiodata/Codeplug.h"

#include <QDateTime>
#include <QString>

class Prompter;
class TfMaindb;

// The program's data as one value: the channels in use of the main table, the function settings,
// the message, the current band and the radio identity. False, with the reason, when a cell of the
// main table cannot be stored.
bool SnapshotCodeplug(const TfMaindb& db, Codeplug& plug, QString* error = nullptr);

// What the program does with a completed read: the radio's model, identity and band become
// current, the channels go through the staging table into the emptied main table, the function
// settings (clamped to their ranges) and the message are replaced, and the data counts as
// modified. False, with nothing changed, when the model is not in the catalogue.
bool ApplyReadCodeplug(TfMaindb& db, const Codeplug& plug, QString* error = nullptr);

// How the file name of a save came about; the values are the save modes the program has always had.
enum class SaveMode { CurrentName = 0, ChosenName = 1 };

// Saves the program's data into fileName; a mode that is neither does nothing. The file is written
// under a temporary name and renamed over the old one, so a failed save leaves that file as it was
// and says why. Rebuilds the two bit strings of the application state; Modified := false when the
// file is written.
bool SaveDatFile(TfMaindb& db, const QString& fileName, SaveMode mode, Prompter& prompter,
                 const QDateTime& when = QDateTime::currentDateTime());

// Reads fileName into the program. The whole file is checked first: a file that cannot be read,
// is too short, is of a model not in the catalogue (ModError) or holds a field that cannot be
// decoded is reported, fileName is emptied and nothing else changes. Otherwise the file's model
// becomes current (the band stays), its channels replace the main table, its function settings
// (not clamped) and message replace the records, and Modified := false.
bool OpenDatFile(TfMaindb& db, QString& fileName, Prompter& prompter);
