// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The pages that frame the framed web site: index.htm (the frameset), the
// title bar html/top.htm and the left column html/list.htm with a drop-down
// list per category.
#include "export/HTMLGenerator.h"

#include <QStringList>

namespace Framed {

// The address behind the product name in the title bar.
QString ProductWebSite();
QString ProductHostName();

// The frame sources are addresses relative to the site's root.
QStringList IndexPage(const QString& topSource, const QString& listSource, const QString& firstGroupSource);

QStringList TopPage(const QString& title);

// One list per category, options in the groups' order; the group pages are
// found by the category prefix and the group's position.
QStringList ListPage(const std::array<TPhotoMapping, PhotoCategoryCount>& mappings);

} // namespace Framed
