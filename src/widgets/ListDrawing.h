// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// How the main window draws its lists: numbered file lists, album-file lists
// with hover selection, and the alternating label lists.
#include <QStyledItemDelegate>

#include <vector>

class QAbstractItemModel;
class QAbstractItemView;
class QFontMetrics;

// Index + 1 in decimal, padded with "0" to width + 1 characters.
QString FormatItemNumber(int index, int width);

// Number of decimal digits of a non-negative count (0 has one).
int DecimalDigits(int count);

// Rows of full paths: "01  -  name  -  [folder]", the folder parts of all rows
// starting at one x. The widest label is measured again only when rows are
// added, removed or moved, or after Remeasure(); a row whose text changed is
// measured alone: with many thousands of rows, measuring them all at every
// paint held the window up.
class TNumberedFileItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TNumberedFileItemDelegate(int rowHeight, QObject* parent);

    // The next paint measures all labels again (photos were added in bulk).
    void Remeasure()
    {
        m_remeasure = true;
        m_changedRows.clear();
    }
    // The width of the widest label of the model's rows.
    static int WidestLabel(
        const QFontMetrics& metrics, const QAbstractItemModel& model, const QModelIndex& parent);
    int MaxWidth() const { return m_maxWidth; }

    // The text before the folder part of a row.
    static QString Label(int row, int rowCount, const QString& path);

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void RowsChanged(int first, int last);

    int m_rowHeight;
    mutable int m_maxWidth = 0;
    mutable bool m_remeasure = true;
    mutable std::vector<int> m_changedRows;
};

// Album file names of a folder: "001  -  name" (one digit more than the row count has).
class TAlbumFileItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TAlbumFileItemDelegate(int rowHeight, QObject* parent);

    static QString Label(int row, int rowCount, const QString& fileName);

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight;
};

// Label lists: selected row white on navy, other rows navy on white (even)
// or light blue (odd); rows 18 high.
class TPlainListItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The row under the mouse pointer becomes the view's current row, without a click.
void InstallHoverSelection(QAbstractItemView* view);

namespace ListColours {
QColor TabBackground(); // $FAEBDE
QColor UnselectedRow(); // $FEFAF5
QColor AlbumsTab(); // $FF8000
QColor PhotosTab(); // $0000C4
QColor Navy(); // $800000
} // namespace ListColours
