#pragma once
// css/tavrimolex.css of the framed web site.
#include <QStringList>

namespace Framed {

QStringList StyleSheet();

} // namespace Framed
