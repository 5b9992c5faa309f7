// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Shrinking, cropping and rotating decoded pictures. Reals become pixel
// counts by rounding half to even.
class QImage;

// Dest is resized to (marginLeft + boxWidth + marginRight) x (marginTop +
// boxHeight + marginBottom) and its box area, at (marginLeft, marginTop),
// receives source scaled to cover the box and cropped from its top-left
// corner. The margins are not painted: they keep what dest held (a
// background painted beforehand), and are white on a fresh dest. An empty
// source or box leaves dest as it is.
void MakeThumbnail(const QImage& source, QImage& dest, int marginLeft, int marginTop, int marginRight,
    int marginBottom, int boxWidth, int boxHeight);

// Dest becomes source shrunk, keeping its proportions, to fit inside
// maxWidth x maxHeight; a picture that fits keeps its size. An empty source,
// or a maximum of 0 or less, leaves dest as it is.
void ScaleImageToFit(const QImage& source, QImage& dest, int maxWidth, int maxHeight);

// Rotates image in place by degrees, positive clockwise on screen. Quarter
// turns are exact; other angles sample at pixel centres and paint the
// uncovered corners black. The new size comes from the rounded corners.
void RotateImage(QImage& image, int degrees);

// The rotation itself by an angle in radians: returns the new picture and
// gives its size in newWidth and newHeight.
QImage RotateDC(const QImage& source, double angle, int& newWidth, int& newHeight);

// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double value);
