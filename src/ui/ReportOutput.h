#pragma once

#include <QString>

class FileChooser;
class Prompter;
class QWidget;
class ReportRenderer;

// The preview window: zoom, page navigation, page set-up (Letter by default, A4 and others on
// request), printing, and "Export PDF" for an archive copy.
void PreviewReport(const ReportRenderer& report, FileChooser& files, Prompter& prompts,
                   const QString& exportPdfText, QWidget* parent);

// The print dialog, then the report on the chosen printer.
void PrintReportWithDialog(const ReportRenderer& report, QWidget* parent);
