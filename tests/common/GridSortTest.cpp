// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/GridSort.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QTableWidget> MakeGrid(const QStringList& titles, const QList<QStringList>& rows)
{
    auto grid = std::make_unique<QTableWidget>(int(rows.size()), int(titles.size()));
    grid->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < titles.size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    return grid;
}

QList<QStringList> Rows(const QTableWidget& grid)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.columnCount(); ++c)
            row << (grid.item(r, c) ? grid.item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

const QStringList kTitles { QStringLiteral("Name"), QStringLiteral("Folder") };

} // namespace

TEST(SortGridByColumn, AscendingWholeRowsIgnoringAsciiCase)
{
    auto grid = MakeGrid(kTitles,
        { { QStringLiteral("delta"), QStringLiteral("4") }, { QStringLiteral("Bravo"), QStringLiteral("2") },
            { QStringLiteral("charlie"), QStringLiteral("3") },
            { QStringLiteral("ALPHA"), QStringLiteral("1") } });
    SortGridByColumn(grid.get(), QStringLiteral("Name"));
    EXPECT_EQ(Rows(*grid),
        (QList<QStringList> { { QStringLiteral("ALPHA"), QStringLiteral("1") },
            { QStringLiteral("Bravo"), QStringLiteral("2") },
            { QStringLiteral("charlie"), QStringLiteral("3") },
            { QStringLiteral("delta"), QStringLiteral("4") } }));
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
}

TEST(SortGridByColumn, SortsByTheNamedColumn)
{
    auto grid = MakeGrid(kTitles,
        { { QStringLiteral("a"), QStringLiteral("z") }, { QStringLiteral("b"), QStringLiteral("y") },
            { QStringLiteral("c"), QStringLiteral("x") } });
    SortGridByColumn(grid.get(), QStringLiteral("Folder"));
    EXPECT_EQ(Rows(*grid),
        (QList<QStringList> { { QStringLiteral("c"), QStringLiteral("x") },
            { QStringLiteral("b"), QStringLiteral("y") }, { QStringLiteral("a"), QStringLiteral("z") } }));
}

TEST(SortGridByColumn, UnknownOrDifferentlyCasedTitleChangesNothing)
{
    const QList<QStringList> rows { { QStringLiteral("b"), QStringLiteral("1") },
        { QStringLiteral("a"), QStringLiteral("2") } };
    auto grid = MakeGrid(kTitles, rows);
    SortGridByColumn(grid.get(), QStringLiteral("Size"));
    SortGridByColumn(grid.get(), QStringLiteral("name"));
    EXPECT_EQ(Rows(*grid), rows);
}

TEST(SortGridByColumn, OneRowStays)
{
    const QList<QStringList> rows { { QStringLiteral("only"), QStringLiteral("1") } };
    auto grid = MakeGrid(kTitles, rows);
    SortGridByColumn(grid.get(), QStringLiteral("Name"));
    EXPECT_EQ(Rows(*grid), rows);
}

TEST(SortGridByColumn, ComparesCodePageBytes)
{
    // In Windows-1252 the S with caron is byte 0x8A and sorts before e-acute
    // (0xE9), although its Unicode code is higher; digits and the underscore
    // keep their ASCII places.
    auto grid = MakeGrid(kTitles,
        { { QStringLiteral("\u00e9t\u00e9"), QStringLiteral("1") },
            { QStringLiteral("\u0160ibenik"), QStringLiteral("2") },
            { QStringLiteral("_x"), QStringLiteral("3") }, { QStringLiteral("2004"), QStringLiteral("4") } });
    SortGridByColumn(grid.get(), QStringLiteral("Name"));
    QStringList names;
    for (const QStringList& row : Rows(*grid))
        names << row.first();
    EXPECT_EQ(names,
        (QStringList { QStringLiteral("2004"), QStringLiteral("_x"), QStringLiteral("\u0160ibenik"),
            QStringLiteral("\u00e9t\u00e9") }));
}

TEST(SortGridByColumn, EmptyCellsSortFirst)
{
    auto grid = MakeGrid(
        kTitles, { { QStringLiteral("b"), QStringLiteral("1") }, { QString(), QStringLiteral("2") } });
    std::unique_ptr<QTableWidgetItem>(grid->takeItem(1, 0)).reset();
    SortGridByColumn(grid.get(), QStringLiteral("Name"));
    EXPECT_EQ(grid->item(0, 0), nullptr);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("2"));
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("b"));
}
