// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/WidestText.h"

#include <QFontMetrics>
#include <QHash>
#include <QListView>

#include <algorithm>
#include <utility>

namespace {

// More changed rows than this are measured with all the others.
constexpr size_t FewRows = 64;

} // namespace

TGlyphAdvances::TGlyphAdvances(const QFontMetrics& metrics)
    : m_metrics(metrics)
{
    std::fill(std::begin(m_latin1), std::end(m_latin1), -1);
}

int TGlyphAdvances::Of(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 256) {
        int& advance = m_latin1[u];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(c);
        return advance;
    }
    auto found = m_others.constFind(u);
    if (found == m_others.constEnd())
        found = m_others.insert(u, m_metrics.horizontalAdvance(c));
    return *found;
}

int TGlyphAdvances::Of(QStringView text)
{
    int width = 0;
    for (const QChar c : text)
        width += Of(c);
    return width;
}

int WidestText(const QFontMetrics& metrics, int count, const std::function<QString(int)>& textOf)
{
    return WidestText(
        metrics, count, [&textOf](int k, TGlyphAdvances& advances) { return advances.Of(textOf(k)); },
        textOf);
}

int WidestText(const QFontMetrics& metrics, int count,
    const std::function<int(int, TGlyphAdvances&)>& estimate, const std::function<QString(int)>& textOf)
{
    constexpr size_t Candidates = 64;
    TGlyphAdvances advances(metrics);
    std::vector<std::pair<int, int>> ranked;
    ranked.reserve(size_t(std::max(count, 0)));
    for (int k = 0; k < count; ++k)
        ranked.emplace_back(estimate(k, advances), k);
    const size_t kept = std::min(Candidates, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + std::ptrdiff_t(kept), ranked.end(),
        [](const auto& a, const auto& b) { return a.first > b.first; });
    int widest = -1;
    int widestWidth = -1;
    for (size_t i = 0; i < kept; ++i) {
        const int width = metrics.horizontalAdvance(textOf(ranked[i].second));
        if (width > widestWidth) {
            widestWidth = width;
            widest = ranked[i].second;
        }
    }
    return widest;
}

TUniformRowsDelegate::TUniformRowsDelegate(QListView* list)
    : QStyledItemDelegate(list)
    , m_list(list)
{
    list->setItemDelegate(this);
    list->setUniformItemSizes(true);
    QAbstractItemModel* model = list->model();
    const auto remeasure = [this] { m_remeasure = true; };
    connect(model, &QAbstractItemModel::rowsInserted, this, remeasure);
    connect(model, &QAbstractItemModel::rowsRemoved, this, remeasure);
    connect(model, &QAbstractItemModel::rowsMoved, this, remeasure);
    connect(model, &QAbstractItemModel::modelReset, this, remeasure);
    connect(model, &QAbstractItemModel::layoutChanged, this, remeasure);
    connect(model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
            RowsChanged(topLeft.row(), bottomRight.row());
        });
}

void TUniformRowsDelegate::RowsChanged(int first, int last)
{
    if (m_remeasure)
        return;
    if (first < 0 || last < first || size_t(last - first) + m_changedRows.size() >= FewRows) {
        m_remeasure = true;
        m_changedRows.clear();
        return;
    }
    for (int row = first; row <= last; ++row)
        m_changedRows.push_back(row);
}

QSize TUniformRowsDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QAbstractItemModel* model = index.model();
    const QModelIndex parent = index.parent();
    const auto sizeOf
        = [&](int row) { return QStyledItemDelegate::sizeHint(option, model->index(row, 0, parent)); };
    if (m_remeasure) {
        m_remeasure = false;
        m_changedRows.clear();
        const QFontMetrics metrics(option.font);
        const int widest = WidestText(metrics, model->rowCount(parent),
            [&](int row) { return model->index(row, 0, parent).data(Qt::DisplayRole).toString(); });
        m_size = widest < 0 ? QStyledItemDelegate::sizeHint(option, index) : sizeOf(widest);
        if (widest > 0)
            m_size.setHeight(sizeOf(0).height());
    }
    for (const int row : std::exchange(m_changedRows, {}))
        if (row < model->rowCount(parent))
            m_size.setWidth(std::max(m_size.width(), sizeOf(row).width()));
    return m_size;
}
