// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The one way every picture of the program is decoded: the file's extension
// picks the decoders and each failure passes the file on to the next one
// (JPEG decoder, bitmap reader, NViewLib, FreeImage). When all of them fail
// for a picture's extension, the decoders of the format the file's first
// bytes name get it, those that had it already excepted. Every result is a
// QImage in Format_RGB32; on failure the image is left null.
#include <QString>

class QImage;

// The whole chain at full size. The image is cleared first; true when a
// decoder produced a picture.
bool LoadImageFile(const QString& fileName, QImage& image);

// The same chain, but a JPEG is decoded by libjpeg at the smallest scale n/8
// whose upright output still covers boxWidth x boxHeight (never enlarged). For
// thumbnails, which cover the box and keep its top-left part: a picture that
// cannot cover the box by itself comes as the part of it that the thumbnail
// shows, no larger than the box and at least one pixel each way. A box of 0
// or less in either direction means full size.
bool LoadImageFileForBox(const QString& fileName, QImage& image, int boxWidth, int boxHeight);

// The steps of the chain, each usable alone; each clears the image first and
// leaves it null on failure, and each refuses what is not a regular file. The
// decoders that run in this process refuse pictures above
// PictureLimits::MaxPixels and sizes their files cannot hold.

// libjpeg-turbo, full-size decode, turned upright by the Exif orientation.
bool LoadJpegFile(const QString& fileName, QImage& image);
// The platform's picture reader, chosen by extension (used for ".bmp").
bool LoadPictureFile(const QString& fileName, QImage& image);
// libNViewLib.so from the program folder; a null handle is a failure.
bool LoadWithNViewLib(const QString& fileName, QImage& image);
// FreeImage, in the decoder process (DecoderProcess.h), which binds the
// library named by FreeImageLibraryName. A picture the library cannot decode,
// and a file that crashes the process or exceeds its limits, is a failure;
// the latter fails at once when it is asked for again.
bool LoadWithFreeImage(const QString& fileName, QImage& image);
// The same with the format code given, whatever the file's name.
bool LoadWithFreeImage(const QString& fileName, int formatCode, QImage& image);

// The extension with its dot, ASCII lower-cased, ".jpeg" mapped to ".jpg".
QString ImageExtension(const QString& fileName);

// True for the extensions NViewLib is tried for (".bmp", ".dib", ".gif",
// ".jif", ".jpg", ".rle", ".tga", ".pcx"), after ImageExtension.
bool IsNViewLibExtension(const QString& ext);

// FreeImage's format code for an extension as ImageExtension gives it, or -1.
int FreeImageFormatCode(const QString& ext);

// Where the NViewLib stand-in is looked for: "libNViewLib.so" in the program
// folder, unless SetNViewLibFileName chose another file (tests; an empty text
// restores the default). The library is opened on first use and kept.
QString NViewLibFileName();
void SetNViewLibFileName(const QString& fileName);
// True when the library opened and both entry points were found.
bool NViewLibAvailable();
