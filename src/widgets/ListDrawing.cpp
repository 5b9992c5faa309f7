// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/ListDrawing.h"

#include "platform/Paths.h"
#include "widgets/WidestText.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace ListColours {
QColor TabBackground()
{
    return QColor(222, 235, 250);
}
QColor UnselectedRow()
{
    return QColor(245, 250, 254);
}
QColor AlbumsTab()
{
    return QColor(0, 128, 255);
}
QColor PhotosTab()
{
    return QColor(196, 0, 0);
}
QColor Navy()
{
    return QColor(0, 0, 128);
}
} // namespace ListColours

QString FormatItemNumber(int index, int width)
{
    const QString number = QString::number(index + 1);
    const qsizetype zeros = width + 1 - number.size();
    return zeros > 0 ? QString(zeros, u'0') + number : number;
}

int DecimalDigits(int count)
{
    return int(QString::number(qMax(0, count)).size());
}

namespace {

QString RowText(const QModelIndex& index)
{
    return index.data(Qt::DisplayRole).toString();
}

void DrawTextCentred(QPainter* painter, const QRect& rect, int x, const QString& text)
{
    const QFontMetrics fm = painter->fontMetrics();
    const int y = rect.top() + (rect.height() - fm.height()) / 2;
    painter->drawText(QPoint(x, y + fm.ascent()), text);
}

} // namespace

// --- numbered file lists

TNumberedFileItemDelegate::TNumberedFileItemDelegate(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_rowHeight(rowHeight)
{
    // Rows added, removed or moved change the numbers of all labels; a row
    // whose text changed changes its own.
    if (auto* view = qobject_cast<QAbstractItemView*>(parent); view && view->model()) {
        QAbstractItemModel* model = view->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] { Remeasure(); });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { Remeasure(); });
        connect(model, &QAbstractItemModel::rowsMoved, this, [this] { Remeasure(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { Remeasure(); });
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] { Remeasure(); });
        connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                RowsChanged(topLeft.row(), bottomRight.row());
            });
    }
}

void TNumberedFileItemDelegate::RowsChanged(int first, int last)
{
    if (m_remeasure)
        return;
    // Renaming photos one by one changes one row at a time.
    constexpr size_t FewRows = 64;
    if (first < 0 || last < first || size_t(last - first) + m_changedRows.size() >= FewRows) {
        Remeasure();
        return;
    }
    for (int row = first; row <= last; ++row)
        m_changedRows.push_back(row);
}

int TNumberedFileItemDelegate::WidestLabel(
    const QFontMetrics& fm, const QAbstractItemModel& model, const QModelIndex& parent)
{
    const int rows = model.rowCount(parent);
    const auto labelOf = [&](int k) { return Label(k, rows, RowText(model.index(k, 0, parent))); };
    // The labels are ranked without being made: the number's digits, then
    // the file name without its extension ("  -  " is in every label).
    const int digits = DecimalDigits(rows);
    const auto estimate = [&](int k, TGlyphAdvances& advances) {
        int width = 0;
        int number = k + 1;
        for (int d = 0; d < digits; ++d, number /= 10)
            width += advances.Of(QChar(u'0' + number % 10));
        const QString path = RowText(model.index(k, 0, parent));
        const QStringView name = QStringView(path).mid(Paths::LastDelimiter(path) + 1);
        const qsizetype dot = name.lastIndexOf(u'.');
        return width + advances.Of(dot < 0 ? name : name.left(dot));
    };
    const int widest = WidestText(fm, rows, estimate, labelOf);
    return widest < 0 ? 0 : fm.horizontalAdvance(labelOf(widest));
}

QString TNumberedFileItemDelegate::Label(int row, int rowCount, const QString& path)
{
    return FormatItemNumber(row, DecimalDigits(rowCount) - 1) + QStringLiteral("  -  ")
        + Paths::NameWithoutExtension(path);
}

void TNumberedFileItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QAbstractItemModel* model = index.model();
    const int rows = model->rowCount(index.parent());
    painter->save();
    painter->setFont(option.font);
    if (m_remeasure) {
        m_remeasure = false;
        m_changedRows.clear();
        m_maxWidth = WidestLabel(QFontMetrics(option.font), *model, index.parent());
    }
    // A changed row can only widen the labels: a narrower one leaves the
    // width as it was until rows are added, removed or moved.
    for (const int row : std::exchange(m_changedRows, {}))
        if (row < rows)
            m_maxWidth = qMax(m_maxWidth,
                QFontMetrics(option.font)
                    .horizontalAdvance(Label(row, rows, RowText(model->index(row, 0, index.parent())))));
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? ListColours::TabBackground() : ListColours::UnselectedRow());
    painter->setPen(Qt::black);
    const QString path = RowText(index);
    const int x = option.rect.left() + 5;
    DrawTextCentred(painter, option.rect, x, Label(index.row(), rows, path));
    DrawTextCentred(painter, option.rect, x + m_maxWidth + 10,
        QStringLiteral("-  [") + Paths::ExtractFilePath(path) + u']');
    painter->restore();
}

QSize TNumberedFileItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_rowHeight);
    return size;
}

// --- album-file lists

TAlbumFileItemDelegate::TAlbumFileItemDelegate(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_rowHeight(rowHeight)
{
}

QString TAlbumFileItemDelegate::Label(int row, int rowCount, const QString& fileName)
{
    return FormatItemNumber(row, DecimalDigits(rowCount)) + QStringLiteral("  -  ")
        + Paths::ChangeFileExt(fileName, QString());
}

void TAlbumFileItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? ListColours::TabBackground() : ListColours::UnselectedRow());
    painter->setPen(Qt::black);
    const int rows = index.model()->rowCount(index.parent());
    const QFontMetrics fm(option.font);
    painter->drawText(QPoint(option.rect.left() + 5, option.rect.top() + 3 + fm.ascent()),
        Label(index.row(), rows, RowText(index)));
    painter->restore();
}

QSize TAlbumFileItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_rowHeight);
    return size;
}

// --- label lists

void TPlainListItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    QColor background = index.row() % 2 ? ListColours::TabBackground() : QColor(Qt::white);
    QColor text = ListColours::Navy();
    if (selected) {
        background = ListColours::Navy();
        text = Qt::white;
    }
    painter->fillRect(option.rect, background);
    painter->setPen(text);
    DrawTextCentred(painter, option.rect, option.rect.left() + 5, RowText(index));
    painter->restore();
}

QSize TPlainListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(18);
    return size;
}

// --- hover selection

namespace {

class HoverSelection : public QObject {
public:
    explicit HoverSelection(QAbstractItemView* view)
        : QObject(view)
        , m_view(view)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove && watched == m_view->viewport()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            const QModelIndex index = m_view->indexAt(move->position().toPoint());
            if (index.isValid() && index != m_view->currentIndex())
                m_view->setCurrentIndex(index);
        }
        return false;
    }

private:
    QAbstractItemView* m_view;
};

} // namespace

void InstallHoverSelection(QAbstractItemView* view)
{
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(new HoverSelection(view));
}
