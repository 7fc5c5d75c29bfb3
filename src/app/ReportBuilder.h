#pragma once

class TfMaindb;

// Refills the report tables myMain and myAdo from the program's values, with the captions of the
// current language: the header, the function settings, the frequency mode and the channels in use.
// Needs no window: printing, the preview and --export-report all start here.
void BuildSettingsReport(TfMaindb& db);
