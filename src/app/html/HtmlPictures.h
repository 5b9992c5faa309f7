// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The pictures the HTML tab keeps with its form: the default page background,
// the swatch the background colour is painted into, the progress dots of the
// photo-by-photo site's slide show and the sketch of a thumbnail page.
#include <QImage>

#include <array>

// A quiet light pattern that tiles without visible seams.
QImage DefaultBackgroundPicture();

// The picture that shows the chosen background colour (white until one is chosen).
QImage BackgroundColourSwatch();

// The slide show's progress dots, 10 x 10 pixels: index 0 idle, index 1 lit.
std::array<QImage, 2> SlideShowDots();

// What a thumbnail page looks like: a title bar, a column of lists and a grid.
QImage ThumbnailsSketch();
