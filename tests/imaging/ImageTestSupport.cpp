#include "ImageTestSupport.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>

namespace ImageTest {

QImage Pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((20 * x) & 0xFF, (30 * y) & 0xFF, (7 * (x + y)) & 0xFF));
    }
    return image;
}

::testing::AssertionResult SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "sizes differ: " << a.width() << "x" << a.height()
                                             << " against " << b.width() << "x" << b.height();
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y) & 0xFFFFFF, pb = b.pixel(x, y) & 0xFFFFFF;
            if (pa != pb)
                return ::testing::AssertionFailure()
                    << "pixel (" << x << ", " << y << ") is " << std::hex << pa << " against " << pb;
        }
    }
    return ::testing::AssertionSuccess();
}

int MaxChannelDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
            worst = std::max({ worst, std::abs(qRed(pa) - qRed(pb)), std::abs(qGreen(pa) - qGreen(pb)),
                std::abs(qBlue(pa) - qBlue(pb)) });
        }
    }
    return worst;
}

void WriteFile(const QString& fileName, const QByteArray& data)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << fileName.toStdString();
    ASSERT_EQ(file.write(data), data.size());
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void Put16(QByteArray& out, unsigned value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, unsigned value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace ImageTest
