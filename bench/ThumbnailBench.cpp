// SPDX-License-Identifier: GPL-2.0-or-later
// Builds thumbnails the way the thumbnail cache does (decode for the box,
// cover-and-crop with 5-pixel margins, baseline JPEG at quality 90) and times
// it. Also makes the test photos, and times the thumbnail cache itself on
// a chosen number of threads (0: the machine's). Driven by thumbnail-bench.sh.
//
//   tavri_thumbnail_bench generate FOLDER JPEGS PNGS
//   tavri_thumbnail_bench thumbs|full OUTFOLDER WIDTH HEIGHT FILE...
//   tavri_thumbnail_bench album THREADS OUTFOLDER WIDTH HEIGHT FILE...
#include "imaging/FreeImageBinding.h"
#include "imaging/ImageLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureDrawing.h"
#include "model/Album.h"
#include "platform/OrderedWork.h"
#include "platform/StatusReporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;

// Something that compresses like a photo: soft gradients, a few shapes whose
// edges need detail, and sensor noise.
QImage SyntheticPhoto(int seed)
{
    QImage image(PhotoWidth, PhotoHeight, QImage::Format_RGB32);
    quint32 state = 2654435761u * quint32(seed + 1);
    const double cx = PhotoWidth * (0.3 + 0.05 * (seed % 7)), cy = PhotoHeight * (0.4 + 0.04 * (seed % 5));
    for (int y = 0; y < PhotoHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < PhotoWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int((state >> 24) & 15) - 8;
            const double dx = x - cx, dy = y - cy;
            const bool disc = dx * dx + dy * dy < 600.0 * 600.0;
            const int stripe = ((x / 37 + y / 53) & 3) * 6;
            int r = 60 + x * 150 / PhotoWidth + noise + stripe;
            int g = 90 + y * 120 / PhotoHeight + noise;
            int b = disc ? 200 + noise : 140 - y * 80 / PhotoHeight + noise;
            row[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

int Generate(const QString& folder, int jpegs, int pngs)
{
    QDir().mkpath(folder);
    for (int i = 0; i < jpegs + pngs; ++i) {
        const QImage photo = SyntheticPhoto(i);
        const bool png = i >= jpegs;
        const QString name = QStringLiteral("%1/photo%2.%3")
                                 .arg(folder)
                                 .arg(i, 3, 10, QLatin1Char('0'))
                                 .arg(png ? QStringLiteral("png") : QStringLiteral("jpg"));
        const bool ok = png ? photo.save(name, "PNG") : SaveJpegFile(photo, name, 90);
        if (!ok) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}

int Thumbs(bool forBox, const QString& outFolder, int width, int height, const QStringList& files)
{
    QDir().mkpath(outFolder);
    LoadFreeImageLibrary();
    FreeImageInitialise(false);
    QElapsedTimer timer;
    timer.start();
    int failed = 0;
    for (const QString& file : files) {
        QImage photo;
        const bool loaded
            = forBox ? LoadImageFileForBox(file, photo, width, height) : LoadImageFile(file, photo);
        QImage thumb;
        if (loaded)
            MakeThumbnail(photo, thumb, 5, 5, 5, 5, width, height);
        const QString out
            = outFolder + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QStringLiteral(".jpg");
        if (!loaded || !SaveJpegFile(thumb, out, 90)) {
            std::fprintf(stderr, "failed: %s\n", qPrintable(file));
            ++failed;
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    FreeImageDeInitialise();
    std::printf("%.6f\n", seconds);
    return failed ? 1 : 0;
}

// A progress window nobody watches.
class SilentStatus : public TStatusReporter {
public:
    void SetRange(int, int maximum) override { m_maximum = maximum; }
    void SetPosition(int position) override { m_position = position; }
    int Position() const override { return m_position; }
    int Maximum() const override { return m_maximum; }
    void StepIt() override { ++m_position; }
    void SetNumberToGo(const QString&) override { }
    void SetSubject(const QString&) override { }
    void SetObject(const QString&) override { }
    void ShowStatus() override { }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool IsCancelled() const override { return false; }

private:
    int m_maximum = 0;
    int m_position = 0;
};

// The thumbnail cache of an album of the files, as the Photos tab builds it.
int AlbumThumbs(int threads, const QString& outFolder, int width, int height, const QStringList& files)
{
    QDir(outFolder).removeRecursively();
    QDir().mkpath(outFolder);
    LoadFreeImageLibrary();
    FreeImageInitialise(false);
    SetWorkerThreadCount(threads);
    TAlbum album(outFolder + QStringLiteral("/Bench.tvx"));
    album.SetThumbWidth(width);
    album.SetThumbHeight(height);
    for (const QString& file : files)
        album.GetPhotos().AddName(QFileInfo(file).absoluteFilePath());
    SilentStatus status;
    QElapsedTimer timer;
    timer.start();
    const bool made = album.CreateThumbnails(&status);
    const double seconds = timer.nsecsElapsed() / 1e9;
    WaitForWorkers();
    FreeImageDeInitialise();
    const int written = album.LoadThumbnailIndex();
    if (!made || written != files.size()) {
        std::fprintf(stderr, "%d of %lld thumbnails made\n", written, qsizetype(files.size()));
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Offscreen: the benchmark needs QtGui's image code, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("generate"))
        return Generate(args[2], args[3].toInt(), args[4].toInt());
    if (args.size() >= 6 && (args[1] == QLatin1String("thumbs") || args[1] == QLatin1String("full")))
        return Thumbs(
            args[1] == QLatin1String("thumbs"), args[2], args[3].toInt(), args[4].toInt(), args.mid(5));
    if (args.size() >= 7 && args[1] == QLatin1String("album"))
        return AlbumThumbs(args[2].toInt(), args[3], args[4].toInt(), args[5].toInt(), args.mid(6));
    std::fprintf(stderr,
        "usage: %s generate FOLDER JPEGS PNGS\n"
        "       %s thumbs|full OUTFOLDER WIDTH HEIGHT FILE...\n"
        "       %s album THREADS OUTFOLDER WIDTH HEIGHT FILE...\n",
        argv[0], argv[0], argv[0]);
    return 2;
}
