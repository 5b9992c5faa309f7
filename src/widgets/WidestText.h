// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The widest of many texts, and lists whose rows all take the size of their
// widest: a list view that asks each of a hundred thousand rows for its size
// holds its window up for a second.
#include <QHash>
#include <QStyledItemDelegate>

#include <functional>
#include <vector>

class QFontMetrics;
class QListView;

// Summed glyph advances of texts in one font, each character measured once:
// a cheap estimate of a text's width.
class TGlyphAdvances {
public:
    explicit TGlyphAdvances(const QFontMetrics& metrics);
    int Of(QChar c);
    int Of(QStringView text);

private:
    const QFontMetrics& m_metrics;
    int m_latin1[256];
    QHash<char16_t, int> m_others;
};

// The index of the widest of count texts in these metrics, -1 when there are
// none. Summed glyph advances rank the texts cheaply; only the widest few are
// measured exactly, since shaping every one of many thousands is slow.
int WidestText(const QFontMetrics& metrics, int count, const std::function<QString(int)>& textOf);
// The same, with the ranking estimate given apart, so that ranking need not
// make each text.
int WidestText(const QFontMetrics& metrics, int count,
    const std::function<int(int, TGlyphAdvances&)>& estimate, const std::function<QString(int)>& textOf);

// Every row of the list as high as its first and as wide as its widest,
// measured once per change of the rows rather than row by row at each layout.
// A row whose text changed can only widen the rows.
class TUniformRowsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Installs itself as the list's delegate and makes its rows uniform.
    explicit TUniformRowsDelegate(QListView* list);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void RowsChanged(int first, int last);

    QListView* m_list;
    mutable QSize m_size;
    mutable bool m_remeasure = true;
    mutable std::vector<int> m_changedRows;
};
