#include "GridColumns.h"

#include <QListWidget>

namespace {

struct BuiltInColumn {
    const char* Title; // UTF-8
    int Width;
    Qt::Alignment Alignment;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

const BuiltInColumn kBuiltInColumns[] = {
    {"信道编号", 75, kCentre}, {"接收频率", 80, kRight},  {"发射频率", 80, kRight},
    {"接收信令", 65, kRight},  {"发射信令", 65, kRight},  {"发射功率", 60, kCentre},
    {"宽/窄", 60, kCentre},    {"扫描添加", 60, kCentre}, {"可选信令", 75, kCentre},
    {"PTTID", 60, kCentre},    {"繁忙锁定", 80, kCentre},
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
    QList<GridColumn> columns;
    for (const BuiltInColumn& c : kBuiltInColumns)
        columns.append({QString::fromUtf8(c.Title), c.Width, c.Alignment});
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
