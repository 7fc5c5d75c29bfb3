#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class FileChooser;
class LinkOperation;
class Prompter;
class QDialog;
class QUrl;
class QWidget;
class ReportRenderer;

// What the windows ask of the world outside them: message boxes, file dialogs, the system's
// "open", the port list and the running of modal dialogs. The program passes the real ones; a
// test passes scripted ones, so that every command can run offscreen without a person.
class UiServices {
public:
    UiServices(Prompter& prompter, FileChooser& files);

    Prompter& Prompts;
    FileChooser& Files;
    // The system's "open" of a document (QDesktopServices::openUrl).
    std::function<bool(const QUrl&)> OpenUrl;
    // The serial ports that can be opened now (ListComPorts).
    std::function<void(QStringList*)> ListPorts;
    // Puts the read or write operation on the port of that name: the serial port of the system by
    // default; demo mode and the tests put an in-process radio behind a name of their own.
    std::function<void(LinkOperation&, const QString& portName)> ConnectLink;
    // Shows a modal dialog and returns its result (QDialog::exec).
    std::function<int(QDialog&)> ExecDialog;
    // The text of the print preview's PDF export, in the current language.
    QString ExportPdfText = QStringLiteral("导出PDF");
    // Shows the settings report in the preview window, or prints it through the print dialog.
    std::function<void(const ReportRenderer&, bool preview, QWidget* parent)> ShowReport;
};
