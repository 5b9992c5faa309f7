#pragma once
// Moves the single selection of a multi-selection list: every mark is cleared,
// the new current item is marked, and the current item is kept visible. Each
// returns false, changing nothing, when the list has no items. Previous and
// Next wrap round; with no current item, Previous, Next and First all take the
// first item.
class QAbstractItemView;

bool ListBoxSelectPrevious(QAbstractItemView* listBox);
bool ListBoxSelectNext(QAbstractItemView* listBox);
bool ListBoxSelectFirst(QAbstractItemView* listBox);
bool ListBoxSelectLast(QAbstractItemView* listBox);
