#include "GridColumns.h"

#include "app/FormTexts.h"

#include <QListWidget>

namespace {

// The titles are the report's too (BuiltInGridTitles); widths and alignments are the grid's own.
struct BuiltInColumn {
    int Width;
    Qt::Alignment Alignment;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

const BuiltInColumn kBuiltInColumns[] = {
    {75, kCentre}, {80, kRight},  {80, kRight},  {65, kRight},  {65, kRight},  {60, kCentre},
    {60, kCentre}, {60, kCentre}, {75, kCentre}, {60, kCentre}, {80, kCentre},
};

enum AlignmentCode { LeftCode = 1, CentreCode = 2, RightCode = 3 };

int CodeOf(Qt::Alignment alignment) {
    if (alignment & Qt::AlignLeft)
        return LeftCode;
    if (alignment & Qt::AlignRight)
        return RightCode;
    return CentreCode;
}

// An unknown code centres, as the centre is what most columns use.
Qt::Alignment AlignmentOf(const QString& code) {
    switch (code.trimmed().toInt()) {
    case LeftCode:
        return kLeft;
    case RightCode:
        return kRight;
    default:
        return kCentre;
    }
}

} // namespace

QList<GridColumn> BuiltInGridColumns() {
    const QStringList titles = BuiltInGridTitles();
    QList<GridColumn> columns;
    for (int i = 0; i < titles.size(); ++i)
        columns.append({titles.at(i), kBuiltInColumns[i].Width, kBuiltInColumns[i].Alignment});
    return columns;
}

void WriteGridColumnTexts(QListWidget* list, const QList<GridColumn>& columns) {
    list->clear();
    for (const GridColumn& c : columns)
        list->addItem(c.Title);
    for (const GridColumn& c : columns)
        list->addItem(QString::number(c.Width));
    for (const GridColumn& c : columns)
        list->addItem(QString::number(CodeOf(c.Alignment)));
}

QList<GridColumn> ReadGridColumnTexts(const QListWidget* list) {
    const int n = list->count() / 3;
    QList<GridColumn> columns;
    for (int b = 0; b < n; ++b)
        columns.append({list->item(b)->text(), list->item(n + b)->text().trimmed().toInt(),
                        AlignmentOf(list->item(2 * n + b)->text())});
    return columns;
}
