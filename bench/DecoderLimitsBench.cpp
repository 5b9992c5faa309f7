// SPDX-License-Identifier: GPL-2.0-or-later
// What the decoder's limits cost the one who waits: how long each damaged
// picture holds the caller when first asked for (the photo window) and when
// asked again (its thumbnail); that real large pictures still open within
// their time; and the extra time that standing a 12-megapixel JPEG upright
// by its Exif tag costs, against the same photo without a tag. Driven by
// decoder-bench.sh.
//
//   tavri_decoder_limits_bench damaged FOLDER
//   tavri_decoder_limits_bench large
//   tavri_decoder_limits_bench orientation ROUNDS
#include "BenchPhoto.h"
#include "imaging/DecoderProcess.h"
#include "imaging/FreeImageBinding.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <vector>

namespace {

double Seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(clockid_t clock)
{
    timespec now {};
    ::clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

bool WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The photo as FreeImage writes it in a format (13 PNG, 18 TIFF with LZW),
// as an editor or a scanner would.
bool SaveWithFreeImage(const QImage& photo, int formatCode, const QString& fileName)
{
    const FreeImage::TProcs& fi = FreeImageProcs;
    if (!fi.FreeImage_Allocate || !fi.FreeImage_Save || !fi.FreeImage_GetPitch)
        return false;
    FIBITMAP* dib = fi.FreeImage_Allocate(photo.width(), photo.height(), 24, 0, 0, 0);
    if (!dib)
        return false;
    unsigned char* bits = fi.FreeImage_GetBits(dib);
    const unsigned pitch = fi.FreeImage_GetPitch(dib);
    for (int y = 0; y < photo.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(photo.constScanLine(photo.height() - 1 - y));
        unsigned char* out = bits + qsizetype(y) * pitch;
        for (int x = 0; x < photo.width(); ++x) {
            out[3 * x] = uchar(qBlue(in[x]));
            out[3 * x + 1] = uchar(qGreen(in[x]));
            out[3 * x + 2] = uchar(qRed(in[x]));
        }
    }
    const bool saved = fi.FreeImage_Save(formatCode, dib, QFile::encodeName(fileName).constData(), 0);
    fi.FreeImage_Unload(dib);
    return saved;
}

int Damaged(const QString& folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({ QStringLiteral("*_*.*") }, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no damaged pictures in %s\n", qPrintable(folder));
        return 1;
    }
    std::printf("Damaged pictures in %s: seconds a caller waits\n", qPrintable(folder));
    std::printf("  %-40s %12s %12s\n", "file", "first ask", "second ask");
    double worstFirst = 0, worstSecond = 0;
    for (const QString& name : files) {
        const QString path = dir.filePath(name);
        QElapsedTimer timer;
        timer.start();
        QImage image;
        LoadImageFile(path, image);
        const double first = Seconds(timer);
        timer.restart();
        LoadImageFileForBox(path, image, 200, 200);
        const double second = Seconds(timer);
        std::printf("  %-40s %10.3f s %10.3f s\n", qPrintable(name), first, second);
        worstFirst = std::max(worstFirst, first);
        worstSecond = std::max(worstSecond, second);
    }
    std::printf(
        "  %-40s %10.3f s %10.3f s   (goal: about 2 s at most, once)\n", "slowest", worstFirst, worstSecond);
    return worstFirst <= 2.5 && worstSecond <= 0.1 ? 0 : 1;
}

int Large()
{
    QTemporaryDir dir;
    struct Picture {
        const char* what;
        int width, height;
        QString file;
    };
    Picture pictures[] = {
        { "100-megapixel JPEG", 10000, 10000, dir.filePath(QStringLiteral("camera.jpg")) },
        { "48-megapixel PNG", 8000, 6000, dir.filePath(QStringLiteral("camera.png")) },
        { "35-megapixel TIFF (LZW)", 7200, 4900, dir.filePath(QStringLiteral("scan.tif")) },
    };
    std::printf("Large real pictures: seconds to open, against the decoder's processor-time budget\n");
    bool allOpened = true;
    for (const Picture& p : pictures) {
        const QImage photo = Photo(p.width, p.height);
        const bool written = p.file.endsWith(QLatin1String(".jpg"))
            ? WriteBytes(p.file, EncodeJpeg(photo, 90))
            : SaveWithFreeImage(photo, p.file.endsWith(QLatin1String(".png")) ? 13 : 18, p.file);
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(p.file));
            return 1;
        }
        const qint64 fileBytes = QFileInfo(p.file).size();
        QElapsedTimer timer;
        timer.start();
        QImage image;
        const bool opened = LoadImageFile(p.file, image) && image.size() == photo.size();
        const double seconds = Seconds(timer);
        allOpened = allOpened && opened;
        if (p.file.endsWith(QLatin1String(".jpg"))) {
            std::printf("  %-26s %s %7.2f s   (libjpeg in the program, no time limit)\n", p.what,
                opened ? "opened" : "FAILED", seconds);
        } else {
            const double budget = TDecoderProcess::TimeBudgetMs(p.width, p.height, fileBytes) / 1000.0;
            std::printf("  %-26s %s %7.2f s   budget %5.1f s, used %3.0f%% on the clock\n", p.what,
                opened ? "opened" : "FAILED", seconds, budget, 100.0 * seconds / budget);
        }
        QFile::remove(p.file);
    }
    return allOpened ? 0 : 1;
}

struct TJpegVariant {
    const char* what;
    QByteArray jpeg;
};

// Each round decodes every variant, in turns that start with another one
// each round, and compares each with the reference (the first variant) of
// its own round: on a busy machine neighbouring decodes meet the same load.
// Two figures: the time the caller waits (a turned picture is turned on a
// second core while it decodes) and the processor time of every thread, the
// work done. Prints the fastest time of each variant and the medians of its
// ratios; returns the largest median ratio of the waiting.
double CompareDecodes(const std::vector<TJpegVariant>& variants, int rounds)
{
    const size_t count = variants.size();
    std::vector<std::vector<double>> waitRatios(count), workRatios(count);
    std::vector<double> best(count, 1e300);
    QImage image;
    for (int round = 0; round < rounds; ++round) {
        std::vector<double> waited(count), worked(count);
        for (size_t i = 0; i < count; ++i) {
            const size_t v = (size_t(round) + i) % count;
            const double start = Milliseconds(CLOCK_MONOTONIC);
            const double startWork = Milliseconds(CLOCK_PROCESS_CPUTIME_ID);
            if (!DecodeJpegData(variants[v].jpeg, image)) {
                std::fprintf(stderr, "%s does not decode\n", variants[v].what);
                return 1e300;
            }
            waited[v] = Milliseconds(CLOCK_MONOTONIC) - start;
            worked[v] = Milliseconds(CLOCK_PROCESS_CPUTIME_ID) - startWork;
            best[v] = std::min(best[v], waited[v]);
        }
        for (size_t v = 0; v < count; ++v) {
            waitRatios[v].push_back(waited[v] / waited[0]);
            workRatios[v].push_back(worked[v] / worked[0]);
        }
    }
    double worst = 1.0;
    for (size_t v = 0; v < count; ++v) {
        const double ratio = Median(waitRatios[v]);
        worst = std::max(worst, ratio);
        std::printf("  %-26s fastest %7.1f ms   median ratio %.3f waited, %.3f worked\n", variants[v].what,
            best[v], ratio, Median(workRatios[v]));
    }
    return worst;
}

int Orientation(int rounds)
{
    const QByteArray plain = EncodeJpeg(Photo(4000, 3000), 90);
    // The Exif block a camera writes, orientation tag only.
    const auto tagged = [&plain](int orientation) {
        QByteArray tiff("MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 26);
        tiff[19] = char(orientation);
        const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
        QByteArray segment("\xFF\xE1", 2);
        segment += char((payload.size() + 2) >> 8);
        segment += char((payload.size() + 2) & 0xFF);
        segment += payload;
        return plain.left(2) + segment + plain.mid(2);
    };
    const std::vector<TJpegVariant> variants = {
        { "no tag (reference)", plain },
        { "tag 1, stands as stored", tagged(1) },
        { "tag 3, half turn", tagged(3) },
        { "tag 6, quarter turn", tagged(6) },
        { "tag 8, quarter turn back", tagged(8) },
    };
    std::printf("12-megapixel JPEG decoded at full size, %d rounds\n", rounds);
    // Each picture in memory fresh from the system, as the program decodes:
    // the decoder maps a picture this large in large pages, so its page
    // faults are few and the ratio is that of the decoding itself.
    const double asUsed = CompareDecodes(variants, rounds);
    std::printf("  upright costs at most %+.1f%% (goal: under 5%%)\n", (asUsed - 1.0) * 100.0);
    return asUsed < 1.05 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    LoadFreeImageLibrary();
    FreeImageInitialise(false);
    int result = 2;
    if (mode == QLatin1String("damaged") && argc > 2)
        result = Damaged(QString::fromLocal8Bit(argv[2]));
    else if (mode == QLatin1String("large"))
        result = Large();
    else if (mode == QLatin1String("orientation"))
        result = Orientation(argc > 2 ? std::max(1, std::atoi(argv[2])) : 15);
    else
        std::fprintf(stderr, "usage: %s damaged FOLDER | large | orientation [ROUNDS]\n", argv[0]);
    FreeImageDeInitialise();
    return result;
}
