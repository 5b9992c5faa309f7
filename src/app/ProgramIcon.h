#pragma once
// The program's icon, drawn rather than shipped, so that the window, the
// desktop entry and the registration all use the same picture.
#include <QIcon>
#include <QImage>

// A square picture of the icon at the given size (ARGB32).
QImage ProgramIconImage(int size);

QIcon ProgramIcon();
