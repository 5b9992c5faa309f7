// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The cells of a thumbnail window's grid for its table view: their marks, the
// photo path as tooltip, and each cell drawn by the window itself.
#include <QAbstractTableModel>

class QTableView;
class Tfm_ThumbNailWindow;

class TThumbNailGridModel : public QAbstractTableModel {
public:
    // Serves view, which takes the cells' drawing from window too.
    TThumbNailGridModel(Tfm_ThumbNailWindow& window, QTableView& view);

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The grid was laid out anew.
    void Reset();

private:
    Tfm_ThumbNailWindow& m_window;
};
