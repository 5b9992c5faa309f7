// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The program's icon: the same pictures that an install puts in the desktop's
// icon theme, so that the window, the desktop entry and the registration all
// show one picture.
#include <QIcon>
#include <QImage>

// A square picture of the icon at the given size (ARGB32).
QImage ProgramIconImage(int size);

QIcon ProgramIcon();
