// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/ListSelection.h"

#include <QListWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {

// A multi-selection list of n items with the given current row (-1: none)
// and some extra marks that every move must clear.
std::unique_ptr<QListWidget> MakeList(int n, int current)
{
    auto list = std::make_unique<QListWidget>();
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int i = 0; i < n; ++i)
        list->addItem(QStringLiteral("photo %1").arg(i));
    if (current >= 0)
        list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    else
        list->setCurrentIndex(QModelIndex());
    for (int i = 0; i < n; i += 2)
        list->item(i)->setSelected(true);
    return list;
}

struct MoveCase {
    const char* name;
    std::function<bool(QAbstractItemView*)> move;
    int current;
    int expected;
};

} // namespace

TEST(ListBoxSelect, MovesTheSingleSelection)
{
    const MoveCase cases[] = {
        { "previous, none", ListBoxSelectPrevious, -1, 0 },
        { "previous, first wraps", ListBoxSelectPrevious, 0, 4 },
        { "previous, last", ListBoxSelectPrevious, 4, 3 },
        { "previous, middle", ListBoxSelectPrevious, 2, 1 },
        { "next, none", ListBoxSelectNext, -1, 0 },
        { "next, first", ListBoxSelectNext, 0, 1 },
        { "next, last wraps", ListBoxSelectNext, 4, 0 },
        { "next, middle", ListBoxSelectNext, 2, 3 },
        { "first, none", ListBoxSelectFirst, -1, 0 },
        { "first, last", ListBoxSelectFirst, 4, 0 },
        { "last, none", ListBoxSelectLast, -1, 4 },
        { "last, first", ListBoxSelectLast, 0, 4 },
    };
    for (const MoveCase& c : cases) {
        auto list = MakeList(5, c.current);
        EXPECT_TRUE(c.move(list.get())) << c.name;
        EXPECT_EQ(list->currentRow(), c.expected) << c.name;
        const QList<QListWidgetItem*> selected = list->selectedItems();
        ASSERT_EQ(selected.size(), 1) << c.name;
        EXPECT_EQ(list->row(selected.first()), c.expected) << c.name;
    }
}

TEST(ListBoxSelect, EmptyListGivesFalse)
{
    auto list = MakeList(0, -1);
    EXPECT_FALSE(ListBoxSelectPrevious(list.get()));
    EXPECT_FALSE(ListBoxSelectNext(list.get()));
    EXPECT_FALSE(ListBoxSelectFirst(list.get()));
    EXPECT_FALSE(ListBoxSelectLast(list.get()));
}

TEST(ListBoxSelect, SingleItemWrapsOntoItself)
{
    auto list = MakeList(1, 0);
    EXPECT_TRUE(ListBoxSelectNext(list.get()));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(ListBoxSelectPrevious(list.get()));
    EXPECT_EQ(list->currentRow(), 0);
}
