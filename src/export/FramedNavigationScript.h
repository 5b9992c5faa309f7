// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// script/navigation.js of the framed web site: the photo pages' moves to the
// previous and next photo of the visitor's group, back to its thumbnails,
// and the "i of n" of the navigation row.
#include <QStringList>

namespace Framed {

// The word between position and count comes from the language record.
QStringList NavigationScript();

} // namespace Framed
