// SPDX-License-Identifier: GPL-2.0-or-later
#include "viewers/ThumbNailGridModel.h"

#include "viewers/Tfm_ThumbNailWindow.h"
#include "viewers/ThumbNailGrid.h"

#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// The window draws every cell itself.
class TThumbNailDelegate : public QStyledItemDelegate {
public:
    explicit TThumbNailDelegate(Tfm_ThumbNailWindow& window)
        : QStyledItemDelegate(&window)
        , m_window(window)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_window.PaintCell(*painter, option.rect, index.column(), index.row());
    }

private:
    Tfm_ThumbNailWindow& m_window;
};

} // namespace

TThumbNailGridModel::TThumbNailGridModel(Tfm_ThumbNailWindow& window, QTableView& view)
    : QAbstractTableModel(&window)
    , m_window(window)
{
    view.setModel(this);
    view.setItemDelegate(new TThumbNailDelegate(window));
}

int TThumbNailGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_window.Grid().Rows();
}

int TThumbNailGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_window.Grid().Count() == 0 ? 0 : m_window.Grid().Columns();
}

QVariant TThumbNailGridModel::data(const QModelIndex& index, int role) const
{
    const TThumbNailGrid& grid = m_window.Grid();
    if (role == Qt::DisplayRole)
        return grid.Mark(index.column(), index.row());
    if (role == Qt::ToolTipRole) {
        const QString path = m_window.PhotoOfEntry(grid.EntryAt(index.column(), index.row()));
        return path.isEmpty() ? QVariant() : QVariant(path);
    }
    return {};
}

void TThumbNailGridModel::Reset()
{
    beginResetModel();
    endResetModel();
}
