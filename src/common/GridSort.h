// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
#include <QString>
#include <QStringList>

class QTableWidget;

// Sorts the rows of a grid ascending by the column whose header title equals
// columnTitle exactly (the first such column); nothing happens when no column
// has that title. Keys are the cells' texts with A..Z lowered, compared as the
// bytes of the single-byte code page. The sort exchanges whole rows and is not
// stable: rows with equal keys may change order. Meant for grids that leave
// Qt's own sorting off.
void SortGridByColumn(QTableWidget* grid, const QString& columnTitle);

// Makes each column as wide as its widest text, the title included, in the
// grid's font plus 10 pixels; a column whose title is among hiddenTitles gets
// no width at all.
void AutoSizeGridColumns(QTableWidget* grid, const QStringList& hiddenTitles = {});
