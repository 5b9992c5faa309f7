// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Moves the single selection of a multi-selection list: every mark is cleared,
// the new current item is marked, and the current item is kept visible. Each
// returns false, changing nothing, when the list has no items. Previous and
// Next wrap round; with no current item, Previous, Next and First all take the
// first item.
#include <vector>

class QAbstractItemView;

bool ListBoxSelectPrevious(QAbstractItemView* listBox);
bool ListBoxSelectNext(QAbstractItemView* listBox);
bool ListBoxSelectFirst(QAbstractItemView* listBox);
bool ListBoxSelectLast(QAbstractItemView* listBox);

// The rows of the list's selected items, top to bottom. Asked row by row
// instead, a selection of many separate rows makes each answer slow.
std::vector<int> SelectedRows(const QAbstractItemView* listBox);
