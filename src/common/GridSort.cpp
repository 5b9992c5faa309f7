// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/GridSort.h"

#include "platform/Cp1252.h"
#include "platform/TextUtil.h"

#include <QFontMetrics>
#include <QTableWidget>

#include <vector>

namespace {

// Characters the code page lacks sort after all of its bytes.
std::vector<int> SortKey(const QString& text)
{
    std::vector<int> key;
    key.reserve(size_t(text.size()));
    for (QChar c : Text::AsciiLower(text)) {
        const int byte = Cp1252::FromUnicode(c);
        key.push_back(byte >= 0 ? byte : 0x100 + c.unicode());
    }
    return key;
}

QString CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void ExchangeRows(QTableWidget* grid, int a, int b)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        QTableWidgetItem* itemA = grid->takeItem(a, c);
        QTableWidgetItem* itemB = grid->takeItem(b, c);
        if (itemB)
            grid->setItem(a, c, itemB);
        if (itemA)
            grid->setItem(b, c, itemA);
    }
}

} // namespace

void SortGridByColumn(QTableWidget* grid, const QString& columnTitle)
{
    if (!grid)
        return;
    int column = -1;
    for (int c = 0; c < grid->columnCount() && column < 0; ++c) {
        const QTableWidgetItem* title = grid->horizontalHeaderItem(c);
        if (title && title->text() == columnTitle)
            column = c;
    }
    if (column < 0)
        return;

    std::vector<std::vector<int>> keys;
    for (int r = 0; r < grid->rowCount(); ++r)
        keys.push_back(SortKey(CellText(grid, r, column)));
    // The titles stand in the header, so data row r here is row r + 1 of a
    // grid that keeps its titles in row 0; the exchange order is the same.
    for (int i = grid->rowCount() - 1; i >= 1; --i)
        for (int j = 0; j <= i - 1; ++j)
            if (keys[size_t(j)] > keys[size_t(i)]) {
                ExchangeRows(grid, i, j);
                std::swap(keys[size_t(i)], keys[size_t(j)]);
            }
}

void AutoSizeGridColumns(QTableWidget* grid, const QStringList& hiddenTitles)
{
    if (!grid)
        return;
    const QFontMetrics metrics(grid->font());
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QTableWidgetItem* title = grid->horizontalHeaderItem(c);
        const QString titleText = title ? title->text() : QString();
        if (!titleText.isEmpty() && hiddenTitles.contains(titleText)) {
            grid->setColumnWidth(c, 0);
            continue;
        }
        int widest = metrics.horizontalAdvance(titleText);
        for (int r = 0; r < grid->rowCount(); ++r)
            widest = qMax(widest, metrics.horizontalAdvance(CellText(grid, r, c)));
        grid->setColumnWidth(c, widest + 10);
    }
}
