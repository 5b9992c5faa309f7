// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What a picture file is by its first bytes rather than by its name: a photo
// renamed by hand, or saved by a program that picked the wrong extension,
// still names its format in its header.
#include <QByteArrayView>
#include <QString>

// How many bytes of a file PictureSignatureExtension looks at.
inline constexpr int PictureSignatureLength = 32;

// The extension, as ImageExtension gives it, of the picture format whose
// signature head begins with: ".jpg", ".png", ".gif", ".bmp", ".tif",
// ".psd", ".ico", ".pcx", ".pbm", ".pgm", ".ppm", ".ras", ".jng", ".mng" or
// ".iff". Formats without a signature at their start (Targa among them) and
// anything unknown give an empty text.
QString PictureSignatureExtension(QByteArrayView head);

// The same for the first bytes of a regular file; an empty text for
// anything else, or a file that cannot be read.
QString FilePictureSignatureExtension(const QString& fileName);
