// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The pages of one group of the framed web site, all in the group's folder
// html/<category>s/<prefix><k>/: the frameset ThumbnailFrame.htm, its top bar
// with the group's title, the thumbnail grids ThumbnailFrameContents<p>.htm
// and the bottom bar that switches between the grids.
#include <QList>
#include <QString>
#include <QStringList>

namespace Framed {

// The grid of a contents page as the user chose it.
struct TThumbnailGrid {
    int Columns = 1;
    int Rows = 1;
    int ThumbWidth = 0;
    int ThumbHeight = 0;

    // Never below 1, so that a grid without columns or rows still pages.
    int PerPage() const;
    // Pages of a group of that many photos; a group without photos has one.
    int PageCount(int photos) const;
    // The blank between two thumbnails of a row; may be negative.
    int Gap() const;
};

// What the contents pages need of a group.
struct TThumbnailGroup {
    // The photos' numbers in the group's order.
    QList<int> Numbers;
    // The group's key and its path value (category folder "_" group folder),
    // which travel to the photo pages in the query.
    QString Key;
    QString Path;
};

QStringList ThumbnailFrame();

// position counts from 0 among groupCount groups; the links to the other
// groups wrap round.
QStringList ThumbnailFrameTop(const QString& prefix, const QString& categoryWord, const QString& groupName,
    int photoCount, int position, int groupCount);

// Page page (from 1) of the group's grid, starting at photo position first.
// The cell and row loops end early when stopped becomes true.
QStringList ThumbnailFrameContents(
    const TThumbnailGroup& group, const TThumbnailGrid& grid, int page, int first, const bool& stopped);

QStringList ThumbnailFrameBottom(int pages);

// The query a photo page is opened with from a thumbnail page.
QString PhotoPageQuery(const QString& key, const QString& path, int page);

} // namespace Framed
