// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// What photos may enter an album from a folder, and the conversion of picture
// files into new JPEG files. Plain file work without windows, so that it can
// be tested on its own.
#include <QString>
#include <QStringList>

namespace PhotoFiles {

// The image extensions the folder runs look for: lower case, without the dot.
QStringList GetImageExtensions();

// The extensions a file-type filter entry's masks stand for, lower case with
// the dot (".bmp"). Masks are separated by ";" or ",", and "*" is dropped.
// ".jpeg" files are JPEG files as much as ".jpg" ones, so a mask for one
// lets the other through as well.
QStringList FilterExtensions(const QString& masks);

// The names (without folder) of the plain files of folder whose lower-cased
// extension with its dot is in extensions; hidden files are left out.
QStringList ListPhotoFiles(const QString& folder, const QStringList& extensions);

// True when the file lies directly in one of the program's own thumbnail
// folders: an album's cache or a search result's temporary folder.
bool IsInThumbnailFolder(const QString& path);

// The quality the conversion uses for the text of the quality box: the whole
// number it holds (the encoder limits it to 1..100), else 100.
int JpgQualityFromText(const QString& text);
// The text of the quality box once limited: "100" when the text is no whole
// number or one above 100, else the text unchanged.
QString ClampJpgQualityText(const QString& text);
// Whether a character typed into the quality box is kept, given the length of
// the text before it: a digit while the text has at most 2 characters, a
// backspace, or ".".
bool JpgQualityKeyAllowed(QChar key, int textLength);

// Where ConvertToJPG writes: the folder and the source's file name with its
// extension replaced by ".jpg".
QString ConvertTarget(const QString& source, const QString& folder);

enum class TConvertResult { Converted, Unreadable, TargetExists, WriteFailed };

// Decodes source and writes it as a new JPEG file into folder at quality.
// Never writes over an existing file (the source itself included) and never
// leaves a half-written target.
TConvertResult ConvertToJPG(const QString& source, const QString& folder, int quality);

} // namespace PhotoFiles
