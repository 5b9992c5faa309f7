// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/ThumbNailGrid.h"

#include <algorithm>

int TThumbNailGrid::ColumnsFor(int clientWidth, int columnWidth)
{
    // A window narrower than one column still shows one.
    if (columnWidth <= 0)
        return 1;
    return std::max(1, clientWidth / columnWidth);
}

void TThumbNailGrid::Reset(int count, int columnWidth, int rowHeight, int clientWidth)
{
    m_selected.assign(size_t(std::max(0, count)), false);
    m_columnWidth = std::max(1, columnWidth);
    m_rowHeight = std::max(1, rowHeight);
    Relayout(clientWidth);
}

void TThumbNailGrid::SetCount(int count)
{
    m_selected.resize(size_t(std::max(0, count)), false);
}

void TThumbNailGrid::Relayout(int clientWidth)
{
    m_columns = ColumnsFor(clientWidth, m_columnWidth);
}

int TThumbNailGrid::Rows() const
{
    const int n = Count();
    return n == 0 ? 0 : (n - 1) / m_columns + 1;
}

int TThumbNailGrid::EntryAt(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0)
        return -1;
    const qint64 k = qint64(row) * m_columns + column;
    return k < Count() ? int(k) : -1;
}

QString TThumbNailGrid::Mark(int column, int row) const
{
    const int k = EntryAt(column, row);
    if (k < 0)
        return QString();
    return (IsSelected(k) ? u'S' : u'D') + QString::number(k);
}

bool TThumbNailGrid::IsSelected(int entry) const
{
    return entry >= 0 && entry < Count() && m_selected[size_t(entry)];
}

void TThumbNailGrid::SetSelected(int entry, bool selected)
{
    if (entry >= 0 && entry < Count())
        m_selected[size_t(entry)] = selected;
}

void TThumbNailGrid::DeselectAll()
{
    std::fill(m_selected.begin(), m_selected.end(), false);
}

int TThumbNailGrid::CountSelected() const
{
    return int(std::count(m_selected.begin(), m_selected.end(), true));
}

QList<int> TThumbNailGrid::SelectedEntries() const
{
    QList<int> entries;
    for (int k = 0; k < Count(); ++k)
        if (m_selected[size_t(k)])
            entries.append(k);
    return entries;
}

int TThumbNailGrid::MouseDown(int column, int row, bool rightButton, bool ctrlOrShift, bool doubleClicked)
{
    const int k = EntryAt(column, row);
    if (k < 0)
        return -1;
    const bool wasSelected = IsSelected(k);
    if (!ctrlOrShift)
        DeselectAll();
    SetSelected(k, doubleClicked || !wasSelected || rightButton);
    return k;
}
