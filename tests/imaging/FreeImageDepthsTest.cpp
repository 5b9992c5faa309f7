// SPDX-License-Identifier: GPL-2.0-or-later
// Every pixel type FreeImage decodes reaches the program at 8 bits per channel.
#include "imaging/FreeImageDecode.h"
#include "imaging/ImageLoader.h"

#include "ImageTestSupport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ImageTest;

namespace {

// A 16-bit value whose high byte tells the position and whose low byte
// differs from it, so a picture that kept the wrong byte shows.
quint16 Level(int x, int y)
{
    return quint16(((20 * x + 40 * y) & 0xFF) << 8 | 0x5A);
}

template <typename T> void Append(std::vector<unsigned char>& out, T value)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

QRgb Convert(const TFreeImageRowFormat& format, const std::vector<unsigned char>& pixel)
{
    EXPECT_TRUE(FreeImageRowReadable(format));
    quint32 out = 0;
    ConvertFreeImageRow(format, pixel.data(), &out, 1);
    return out;
}

} // namespace

TEST(FreeImageDepths, SixteenBitGreyAndColourFilesDecode)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int w = 7, h = 5;
    QImage grey(w, h, QImage::Format_Grayscale16);
    QImage rgb(w, h, QImage::Format_RGBX64);
    QImage rgba(w, h, QImage::Format_RGBA64);
    QByteArray pgm = QByteArray("P5\n7 5\n65535\n");
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const quint16 v = Level(x, y);
            reinterpret_cast<quint16*>(grey.scanLine(y))[x] = v;
            rgb.setPixelColor(x, y, QColor::fromRgba64(v, Level(y, x), 0x8080));
            rgba.setPixelColor(x, y, QColor::fromRgba64(v, 0x1111, Level(y, x), 0x7777));
            pgm.append(char(v >> 8)).append(char(v & 0xFF)); // big-endian samples
        }
    }
    WriteFile(dir.filePath(QStringLiteral("grey16.png")), Png(grey));
    WriteFile(dir.filePath(QStringLiteral("rgb16.png")), Png(rgb));
    WriteFile(dir.filePath(QStringLiteral("rgba16.png")), Png(rgba));
    WriteFile(dir.filePath(QStringLiteral("grey16.pgm")), pgm);

    for (const char* name : { "grey16.png", "grey16.pgm", "rgb16.png", "rgba16.png" }) {
        QImage image;
        ASSERT_TRUE(LoadImageFile(dir.filePath(QString::fromLatin1(name)), image)) << name;
        ASSERT_EQ(image.size(), QSize(w, h)) << name;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int v = Level(x, y) >> 8, u = Level(y, x) >> 8;
                QRgb expected = qRgb(v, v, v);
                if (name[0] == 'r')
                    expected = name[3] == 'a' ? qRgb(v, 0x11, u) : qRgb(v, u, 0x80);
                EXPECT_EQ(image.pixel(x, y), expected) << name << " at " << x << "," << y;
            }
        }
    }
}

TEST(FreeImageDepths, FloatCmykAndPackedRowsBecomeEightBitRgb)
{
    std::vector<unsigned char> px;
    TFreeImageRowFormat f;

    f.type = 6; // grey float: 0 to 1, clamped
    f.bpp = 32;
    px.clear();
    Append(px, 0.5f);
    EXPECT_EQ(Convert(f, px), qRgb(128, 128, 128));
    px.clear();
    Append(px, 7.0f);
    EXPECT_EQ(Convert(f, px), qRgb(255, 255, 255));

    f.type = 12; // red, green, blue, alpha floats
    f.bpp = 128;
    px.clear();
    for (float v : { 1.0f, -2.0f, 0.2f, 0.0f })
        Append(px, v);
    EXPECT_EQ(Convert(f, px), qRgb(255, 0, 51));

    f.type = 1; // 8-bit CMYK: no ink is white, full black is black
    f.bpp = 32;
    f.colorType = 5;
    EXPECT_EQ(Convert(f, { 0, 0, 0, 0 }), qRgb(255, 255, 255));
    EXPECT_EQ(Convert(f, { 255, 0, 0, 0 }), qRgb(0, 255, 255));
    EXPECT_EQ(Convert(f, { 0, 0, 0, 255 }), qRgb(0, 0, 0));

    f.type = 10; // 16-bit CMYK
    f.bpp = 64;
    px.clear();
    for (quint16 v : { 0, 65535, 0, 0 })
        Append(px, v);
    EXPECT_EQ(Convert(f, px), qRgb(255, 0, 255));

    f.type = 1; // 16-bit 5-6-5 bit fields
    f.bpp = 16;
    f.colorType = 2;
    f.redMask = 0xF800;
    f.greenMask = 0x07E0;
    f.blueMask = 0x001F;
    px.clear();
    Append(px, quint16(0xF800 | 0x001F));
    EXPECT_EQ(Convert(f, px), qRgb(255, 0, 255));

    f.bpp = 4; // palette, high nibble first
    f.palette[2] = 0x123456;
    f.palette[9] = 0xABCDEF;
    quint32 out[2] = {};
    const unsigned char packed = 0x29;
    ConvertFreeImageRow(f, &packed, out, 2);
    EXPECT_EQ(out[0], qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(out[1], qRgb(0xAB, 0xCD, 0xEF));

    f.type = 8; // complex numbers are converted by FreeImage first, never here
    EXPECT_FALSE(FreeImageRowReadable(f));
}
