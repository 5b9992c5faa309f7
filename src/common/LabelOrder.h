// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The one order of the label lists (objects and events) on every tab: by name
// without regard to letter case, so "apple" stands before "Cherry" and
// "Zebra"; names equal that way keep the order they came in.
#include <QList>
#include <QString>

#include <algorithm>

class QListWidget;
class QListWidgetItem;

bool LabelSortsBefore(const QString& a, const QString& b);

// Sorts values into that order by the name each one has.
template <class T, class Name> void SortLabels(QList<T>& values, Name name)
{
    std::stable_sort(values.begin(), values.end(),
        [&name](const T& a, const T& b) { return LabelSortsBefore(name(a), name(b)); });
}

// Puts a row into a list kept in that order, after its equals; returns its row.
int InsertLabelRow(QListWidget* list, QListWidgetItem* item);
int InsertLabelRow(QListWidget* list, const QString& name);
