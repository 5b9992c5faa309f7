// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// css/tavrimolex.css of the framed web site.
#include <QStringList>

namespace Framed {

QStringList StyleSheet();

} // namespace Framed
