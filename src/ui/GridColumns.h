#pragma once

#include <QList>
#include <QString>
#include <Qt>

class QListWidget;

// How the channel grid shows one of its columns.
struct GridColumn {
    QString Title;
    int Width = 0; // pixels
    Qt::Alignment Alignment = Qt::AlignCenter;
};

// The columns as the program shows them without a language file.
QList<GridColumn> BuiltInGridColumns();

// A language file sets the columns through the entries of a text list: every title, then every
// width, then every alignment code (1 left, 2 centre, 3 right), as the form translator fills it.
void WriteGridColumnTexts(QListWidget* list, const QList<GridColumn>& columns);
QList<GridColumn> ReadGridColumnTexts(const QListWidget* list);
