#include "ReportOutput.h"

#include "FileChooser.h"
#include "ReportRenderer.h"
#include "core/Prompt.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

namespace {

void PreparePrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("V35"));
}

void Paint(const ReportRenderer& report, QPrinter* printer) {
    // The report places its bands from the paper's edge, with the template's own margins.
    printer->setFullPage(true);
    report.Render(*printer);
}

// The wished size, made smaller where the screen's free area is smaller (a 768-pixel laptop).
QSize FitToScreen(const QSize& wished, const QWidget* parent) {
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wished;
    const QSize room = screen->availableGeometry().size() * 9 / 10;
    return wished.boundedTo(room);
}

} // namespace

void PreviewReport(const ReportRenderer& report, FileChooser& files, Prompter& prompts,
                   const QString& exportPdfText, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.resize(FitToScreen(QSize(900, 1000), parent));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* p) { Paint(report, p); });

    auto* exportPdf = new QAction(exportPdfText, &preview);
    exportPdf->setObjectName(QStringLiteral("nExportPdf"));
    QObject::connect(exportPdf, &QAction::triggered, &preview, [&]() {
        QString path = files.SaveFileName(&preview, QStringLiteral("PDF (*.pdf)"));
        if (path.isEmpty())
            return;
        // A report is written only to a .pdf name, never over a codeplug called the same.
        if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
            path += QStringLiteral(".pdf");
        const QPageSize::PageSizeId size = printer.pageLayout().pageSize().id();
        QString error;
        if (!report.ExportPdf(path, size == QPageSize::Custom ? QPageSize::Letter : size, &error))
            ShowPrompt(prompts, QFileInfo(path).fileName(), error, Prompter::Information);
    });
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(exportPdf);
    }
    preview.exec();
}

void PrintReportWithDialog(const ReportRenderer& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        Paint(report, &printer);
}
