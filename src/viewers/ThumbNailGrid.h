// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The cells of a thumbnail window: entry k of the album's thumbnail index
// stands in the cell with running number k, row by row, and is selected or
// not. A cell's mark reads "D" + k (not selected), "S" + k (selected) or ""
// (no thumbnail). No widgets: the window paints what this says.
#include <QList>
#include <QString>

#include <vector>

class TThumbNailGrid {
public:
    // Columns of the given width that fit into clientWidth; at least one.
    static int ColumnsFor(int clientWidth, int columnWidth);

    // count entries laid out for the client width, none selected.
    void Reset(int count, int columnWidth, int rowHeight, int clientWidth);
    // Lays the same entries out for another width; the selection stays.
    void Relayout(int clientWidth);
    // Fewer or more entries in the same layout; the entries that stay keep their selection.
    void SetCount(int count);

    int Count() const { return int(m_selected.size()); }
    int Columns() const { return m_columns; }
    // At least one row while there are entries; none without.
    int Rows() const;
    int ColumnWidth() const { return m_columnWidth; }
    int RowHeight() const { return m_rowHeight; }

    // The entry in a cell; -1 for an empty cell or one outside the grid.
    int EntryAt(int column, int row) const;
    QString Mark(int column, int row) const;
    bool IsSelected(int entry) const;
    void SetSelected(int entry, bool selected);
    void DeselectAll();
    int CountSelected() const;
    QList<int> SelectedEntries() const;

    // A mouse button went down on a cell. Without Ctrl or Shift the others
    // are deselected first. The cell ends selected when it was not before,
    // for the right button, and on a double click; otherwise it ends
    // deselected. The entry of the cell; -1 (nothing changed) for an empty one.
    int MouseDown(int column, int row, bool rightButton, bool ctrlOrShift, bool doubleClicked);

private:
    std::vector<bool> m_selected;
    int m_columns = 1;
    int m_columnWidth = 1;
    int m_rowHeight = 1;
};
