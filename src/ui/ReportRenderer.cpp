#include "ReportRenderer.h"

#include "core/FileIo.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>

namespace {

// The template, in millimetres. Bands are placed inside the margins.
constexpr double kMarginLeft = 10.0;
constexpr double kMarginTop = 2.0;
constexpr double kMarginBottom = 10.0;
constexpr double kBandWidth = 195.9;
constexpr double kPageHeaderHeight = 37.0;
constexpr double kGroupHeaderHeight = 7.0;
constexpr double kDetailHeight = 7.0;
constexpr double kPageFooterHeight = 6.0;

struct Mapper {
    double PixelsPerMm;
    QPointF Origin; // pixel position of the page's top-left corner in painter coordinates

    QRectF Rect(double left, double top, double width, double height) const {
        return QRectF(Origin.x() + (kMarginLeft + left) * PixelsPerMm, Origin.y() + top * PixelsPerMm,
                      width * PixelsPerMm, height * PixelsPerMm);
    }
};

QFont ReportFont(double points, bool bold, const QStringList& families) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void DrawText(QPainter& p, const QRectF& r, int flags, const QString& text) {
    // A text longer than its box is cut with an ellipsis rather than run over its neighbour.
    const QFontMetricsF fm(p.font(), p.device());
    p.drawText(r, flags | Qt::TextSingleLine, fm.elidedText(text, Qt::ElideRight, r.width()));
}

} // namespace

ReportRenderer::ReportRenderer(const TMainRecord& header, const QList<TAdoRecord>& lines,
                               const QDateTime& printedAt)
    : Header(header), Lines(lines), PrintedAt(printedAt) {}

QStringList ReportRenderer::FontFamilies() {
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"),
            QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Sans Serif")};
}

QList<ReportRenderer::Placed> ReportRenderer::Paginate(double pageHeightMm) const {
    QList<Placed> placed;
    const double bodyTop = kMarginTop + kPageHeaderHeight;
    const double bodyBottom = pageHeightMm - kMarginBottom - kPageFooterHeight;
    int page = 0;
    double y = bodyTop;
    const auto groupHeader = [&](int line) {
        placed.append({page, y, line, true});
        y += kGroupHeaderHeight;
    };
    for (int i = 0; i < Lines.size(); ++i) {
        const bool newGroup = i == 0 || Lines[i].TypeID != Lines[i - 1].TypeID;
        if (newGroup) {
            // Each group after the first starts a page.
            if (i > 0) {
                ++page;
                y = bodyTop;
            }
            groupHeader(i);
        }
        // The lines kept with this one, within its group.
        int keep = 1;
        while (keep < Lines[i].KeepTogether && i + keep < Lines.size() &&
               Lines[i + keep].TypeID == Lines[i].TypeID)
            ++keep;
        const bool pageJustBegun = y <= bodyTop + kGroupHeaderHeight;
        if (y + keep * kDetailHeight > bodyBottom && !pageJustBegun) {
            // A page that continues a group repeats its title.
            ++page;
            y = bodyTop;
            groupHeader(i);
        }
        placed.append({page, y, i, false});
        y += kDetailHeight;
    }
    return placed;
}

int ReportRenderer::PageCount(double pageHeightMm) const {
    const QList<Placed> placed = Paginate(pageHeightMm);
    return placed.isEmpty() ? 1 : placed.last().Page + 1;
}

int ReportRenderer::Render(QPagedPaintDevice& device) const {
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiY();
    const double pageHeightMm = layout.fullRect(QPageLayout::Millimeter).height();
    Mapper map{dpi / 25.4, -QPointF(layout.paintRectPixels(dpi).topLeft())};
    const QList<Placed> placed = Paginate(pageHeightMm);
    const int pages = placed.isEmpty() ? 1 : placed.last().Page + 1;
    const QStringList families = FontFamilies();

    QPainter p(&device);
    if (!p.isActive())
        return 0;
    p.setPen(QPen(Qt::black, 0.3 * map.PixelsPerMm));
    int next = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        // Page header.
        p.setFont(ReportFont(14, true, families));
        DrawText(p, map.Rect(0, kMarginTop, 195, 11), Qt::AlignCenter, Header.Title);
        p.setFont(ReportFont(10, false, families));
        DrawText(p, map.Rect(134, kMarginTop + 11, 30, 5), Qt::AlignRight | Qt::AlignVCenter,
                 PrintedAt.toString(QStringLiteral("yyyy/MM/dd")));
        DrawText(p, map.Rect(165, kMarginTop + 11, 25, 5), Qt::AlignLeft | Qt::AlignVCenter,
                 PrintedAt.toString(QStringLiteral("HH:mm:ss")));
        const QRectF rule1 = map.Rect(0, kMarginTop + 16, kBandWidth, 0);
        p.drawLine(rule1.topLeft(), rule1.topRight());
        p.setFont(ReportFont(10, true, families));
        const QString captions[3][2] = {
            {Header.AField, Header.AValue}, {Header.BField, Header.BValue}, {Header.CField, Header.CValue}};
        for (int k = 0; k < 3; ++k) {
            const double top = kMarginTop + 18 + 5 * k;
            DrawText(p, map.Rect(0, top, 66, 5), Qt::AlignRight | Qt::AlignVCenter, captions[k][0]);
            DrawText(p, map.Rect(67, top, 113, 5), Qt::AlignLeft | Qt::AlignVCenter, captions[k][1]);
        }
        const QRectF rule2 = map.Rect(0, kMarginTop + 36, 196, 0);
        p.drawLine(rule2.topLeft(), rule2.topRight());

        // Bands of this page.
        for (; next < placed.size() && placed[next].Page == page; ++next) {
            const Placed& b = placed[next];
            const TAdoRecord& line = Lines[b.Line];
            if (b.GroupHeader) {
                p.setFont(ReportFont(11, true, families));
                DrawText(p, map.Rect(0, b.Top + 1, 51, 5), Qt::AlignLeft | Qt::AlignVCenter, line.TypeName);
                continue;
            }
            p.setFont(ReportFont(10, false, families));
            const int v = Qt::AlignVCenter;
            DrawText(p, map.Rect(5, b.Top, 44, kDetailHeight), Qt::AlignLeft | v, line.AField);
            DrawText(p, map.Rect(49, b.Top, 43, kDetailHeight), Qt::AlignLeft | v,
                     line.AValue.isEmpty() ? QString() : QStringLiteral("  ") + line.AValue);
            DrawText(p, map.Rect(94, b.Top, 48, kDetailHeight), Qt::AlignLeft | v, line.BField);
            DrawText(p, map.Rect(143, b.Top, 52, kDetailHeight), Qt::AlignLeft | v, line.BValue);
        }

        // Page footer at the foot of the printable area.
        QFont footer = ReportFont(10, true, {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        footer.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")} +
                           families);
        p.setFont(footer);
        const double footerTop = pageHeightMm - kMarginBottom - kPageFooterHeight;
        DrawText(p, map.Rect(80, footerTop + 1, 20, 5), Qt::AlignCenter, QString::number(page + 1));
    }
    p.end();
    return pages;
}

bool ReportRenderer::ExportPdf(const QString& path, QPageSize::PageSizeId pageSize, QString* error) const {
    // Drawn in memory first, then written as every file of the program is: the old file stays
    // whole unless every byte of the new one reached the disk.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setTitle(Header.Title);
        pdf.setCreator(QStringLiteral("V35"));
        pdf.setPageLayout(QPageLayout(QPageSize(pageSize), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
        if (Render(pdf) == 0) {
            if (error)
                *error = QStringLiteral("%1: the report could not be drawn").arg(QFileInfo(path).fileName());
            return false;
        }
    }
    const FileResult written = WriteFileAtomically(path, buffer.data());
    if (!written) {
        if (error)
            *error = DescribeFileResult(path, written);
        return false;
    }
    return true;
}
