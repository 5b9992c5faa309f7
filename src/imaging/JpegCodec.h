// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// libjpeg-turbo, used directly: the one JPEG decoder and the one JPEG encoder
// of the program. Errors never longjmp past the caller: every function
// reports failure by its result.
#include <QByteArray>
#include <QString>

class QImage;

// Decodes a JPEG file into an RGB32 image, standing as its Exif orientation
// tag says. With a box (both sides > 0) the decoder scales by the smallest
// n/8 (n = 1..8) whose upright output still covers boxWidth x boxHeight;
// else full size. False (image null) on any error.
bool DecodeJpegFile(
    const QString& fileName, QImage& image, int boxWidth = 0, int boxHeight = 0, QString* error = nullptr);
bool DecodeJpegData(
    const QByteArray& data, QImage& image, int boxWidth = 0, int boxHeight = 0, QString* error = nullptr);

// The n of the n/8 scale DecodeJpegFile uses for a picture of width x height.
int JpegScaleNumerator(int width, int height, int boxWidth, int boxHeight);

// A baseline JPEG of the image at quality 1..100 (clamped), without any Exif
// block: the pixels stand as they are. Empty on failure.
QByteArray EncodeJpeg(const QImage& image, int quality, QString* error = nullptr);

// Encodes and writes a baseline JPEG through a new temporary file in the
// target's folder that is then renamed over the target, so a planted
// symbolic link is replaced, never followed, and a failure leaves no half
// file. False with a reason in error when it fails.
bool SaveJpegFile(const QImage& image, const QString& fileName, int quality, QString* error = nullptr);

// Writes bytes the same way (temporary file, then rename): for the other
// files written next to photos, such as the thumbnail index.
bool WriteFileReplacing(const QString& fileName, const QByteArray& data, QString* error = nullptr);
