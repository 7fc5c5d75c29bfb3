#pragma once

#include "app/ReportTables.h"

#include <QDateTime>
#include <QList>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

// Lays out the settings report in millimetres with QPainter, so that the same code prints,
// previews and writes PDF: page header on every page, a group header whenever TypeID changes
// (each group after the first on a new page, and repeated on a page that continues it), one detail
// band per line, lines marked to stay together never split, page number in the footer.
class ReportRenderer {
public:
    ReportRenderer(const TMainRecord& header, const QList<TAdoRecord>& lines, const QDateTime& printedAt);

    // Paints every page onto the device, which must be ready to paint (not yet painted on).
    // Returns the number of pages.
    int Render(QPagedPaintDevice& device) const;

    // Writes the report as PDF, replacing the file only when it could be written in full.
    bool ExportPdf(const QString& path, QPageSize::PageSizeId pageSize, QString* error) const;

    // Pages the report takes on a page of this height (millimetres).
    int PageCount(double pageHeightMm) const;

    // The text families used for the report: a CJK font first, as the texts are mostly Chinese.
    static QStringList FontFamilies();

private:
    struct Placed {
        int Page = 0;
        double Top = 0; // millimetres from the top of the page
        int Line = 0;   // index into Lines
        bool GroupHeader = false;
    };
    QList<Placed> Paginate(double pageHeightMm) const;

    TMainRecord Header;
    QList<TAdoRecord> Lines;
    QDateTime PrintedAt;
};
