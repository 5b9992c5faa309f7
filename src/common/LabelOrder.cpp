// SPDX-License-Identifier: GPL-2.0-or-later
#include "common/LabelOrder.h"

#include <QListWidget>

bool LabelSortsBefore(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

int InsertLabelRow(QListWidget* list, QListWidgetItem* item)
{
    // The rows are in order already: halve the range until the first row
    // that sorts after the new name.
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (LabelSortsBefore(item->text(), list->item(middle)->text()))
            high = middle;
        else
            low = middle + 1;
    }
    list->insertItem(low, item);
    return low;
}

int InsertLabelRow(QListWidget* list, const QString& name)
{
    return InsertLabelRow(list, new QListWidgetItem(name));
}
