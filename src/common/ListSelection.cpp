// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/ListSelection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QListView>

#include <algorithm>

namespace {

enum class TMove { Previous, Next, First, Last };

bool MoveSelection(QAbstractItemView* listBox, TMove move)
{
    QAbstractItemModel* model = listBox ? listBox->model() : nullptr;
    if (!model || !listBox->selectionModel())
        return false;
    const QModelIndex root = listBox->rootIndex();
    const int count = model->rowCount(root);
    if (count == 0)
        return false;

    const QModelIndex current = listBox->currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    int target = 0;
    switch (move) {
    case TMove::Previous:
        target = row < 0 ? 0 : row == 0 ? count - 1 : row - 1;
        break;
    case TMove::Next:
        target = row < 0 || row == count - 1 ? 0 : row + 1;
        break;
    case TMove::First:
        target = 0;
        break;
    case TMove::Last:
        target = count - 1;
        break;
    }

    const auto* listView = qobject_cast<const QListView*>(listBox);
    const QModelIndex index = model->index(target, listView ? listView->modelColumn() : 0, root);
    listBox->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    listBox->scrollTo(index);
    return true;
}

} // namespace

bool ListBoxSelectPrevious(QAbstractItemView* listBox)
{
    return MoveSelection(listBox, TMove::Previous);
}

bool ListBoxSelectNext(QAbstractItemView* listBox)
{
    return MoveSelection(listBox, TMove::Next);
}

bool ListBoxSelectFirst(QAbstractItemView* listBox)
{
    return MoveSelection(listBox, TMove::First);
}

bool ListBoxSelectLast(QAbstractItemView* listBox)
{
    return MoveSelection(listBox, TMove::Last);
}

std::vector<int> SelectedRows(const QAbstractItemView* listBox)
{
    std::vector<int> rows;
    if (const QItemSelectionModel* selection = listBox->selectionModel()) {
        for (const QItemSelectionRange& range : selection->selection())
            for (int row = range.top(); row <= range.bottom(); ++row)
                rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}
