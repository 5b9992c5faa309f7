// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Pictures and files the imaging tests make for themselves.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

namespace ImageTest {

// A picture whose every pixel tells its position: red = 20 x, green = 30 y,
// blue = 7 (x + y), so a moved or lost pixel shows.
QImage Pattern(int width, int height);

// Every pixel of a and b equal (both RGB32 compared without alpha).
::testing::AssertionResult SamePixels(const QImage& a, const QImage& b);

// Largest difference of any channel between a and b (same size required).
int MaxChannelDifference(const QImage& a, const QImage& b);

void WriteFile(const QString& fileName, const QByteArray& data);
QByteArray ReadFile(const QString& fileName);

// Little-endian writers.
void Put16(QByteArray& out, unsigned value);
void Put32(QByteArray& out, unsigned value);

// This process's peak memory in kilobytes, since the start or the last
// ResetPeakMemory (which does nothing where the system does not allow it).
qint64 PeakKilobytes();
void ResetPeakMemory();

QByteArray Png(const QImage& image);

// A CMYK JPEG of one colour, as print workflows write them (libjpeg adds
// the Adobe marker, and with it the inverted convention: 255 is no ink).
QByteArray CmykJpeg(int width, int height, const unsigned char cmyk[4]);

} // namespace ImageTest
