#include "UiServices.h"

#include "ReportOutput.h"
#include "link/LinkOperation.h"
#include "link/Ports.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

UiServices::UiServices(Prompter& prompter, FileChooser& files)
    : Prompts(prompter), Files(files),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      ListPorts([](QStringList* list) { ListComPorts(list); }),
      ConnectLink([](LinkOperation& link, const QString& portName) { link.SetPortName(portName); }),
      ExecDialog([](QDialog& d) { return d.exec(); }) {
    ShowReport = [this](const ReportRenderer& report, bool preview, QWidget* parent) {
        if (preview)
            PreviewReport(report, Files, Prompts, ExportPdfText, parent);
        else
            PrintReportWithDialog(report, parent);
    };
}
