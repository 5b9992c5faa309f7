// SPDX-License-Identifier: GPL-2.0-or-later
// The cost of decoding through the decoder process: a 1-megapixel PNG decoded
// by FreeImage in this process (the reference) and through the decoder
// process as the program does it (LoadWithFreeImage), alternately, ROUNDS
// times each; the medians and their difference. The goal is at most 20 ms
// more through the process. Driven by decoder-bench.sh.
//
//   tavri_decoder_bench [ROUNDS]
#include "BenchPhoto.h"
#include "imaging/DecoderProcess.h"
#include "imaging/FreeImageBinding.h"
#include "imaging/FreeImageDecode.h"
#include "imaging/ImageLoader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// FreeImage in this process, into a QImage, as the decoder program does it.
class ImageSink : public TFreeImageRowSink {
public:
    bool Start(int width, int height) override
    {
        image = QImage(width, height, QImage::Format_RGB32);
        row = 0;
        return !image.isNull();
    }
    bool Row(const quint32* pixels) override
    {
        std::memcpy(image.scanLine(row++), pixels, size_t(image.width()) * 4);
        return true;
    }
    QImage image;
    int row = 0;
};

double Milliseconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("photo.png"));
    if (!Photo(1000, 1000).save(png, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
        return 1;
    }
    const QByteArray pngName = QFile::encodeName(png);
    LoadFreeImageLibrary();
    FreeImageInitialise(false);

    // The first decode through the process starts it.
    QElapsedTimer timer;
    timer.start();
    QImage image;
    if (!LoadWithFreeImage(png, image)) {
        std::fprintf(
            stderr, "the decoder process failed (is tavrimolex-decoder built beside the program?)\n");
        return 1;
    }
    const double first = Milliseconds(timer);

    std::vector<double> inProcess, viaProcess;
    for (int i = 0; i < rounds; ++i) {
        ImageSink sink;
        timer.restart();
        const bool ok = DecodeWithFreeImage(13, pngName.constData(), qint64(1) << 27, sink)
            == TFreeImageOutcome::Decoded;
        inProcess.push_back(Milliseconds(timer));
        timer.restart();
        const bool viaOk = LoadWithFreeImage(png, image);
        viaProcess.push_back(Milliseconds(timer));
        if (!ok || !viaOk || sink.image != image) {
            std::fprintf(stderr, "the two decodes differ\n");
            return 1;
        }
    }
    const double a = Median(inProcess), b = Median(viaProcess);
    std::printf("1-megapixel PNG, %d decodes each (medians):\n", rounds);
    std::printf("  FreeImage in this process     %7.2f ms\n", a);
    std::printf("  through the decoder process   %7.2f ms   %+.2f ms (goal: at most +20 ms), ratio %.2f\n", b,
        b - a, b / a);
    std::printf("  first decode, process start   %7.2f ms\n", first);
    FreeImageDeInitialise();
    return b - a <= 20.0 ? 0 : 1;
}
