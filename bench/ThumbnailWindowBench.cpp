// SPDX-License-Identifier: GPL-2.0-or-later
// Opens a thumbnail window on an album of many thumbnails and times what the
// user waits for: the window's first paint, and scrolling from the top to the
// bottom, row by row and page by page. Prints the figures; run by
// thumbnail-window-bench.sh (offscreen unless QT_QPA_PLATFORM says otherwise).
//
//   tavri_thumbnail_window_bench [COUNT [WIDTH HEIGHT]]   (10000 100 75)
#include "imaging/JpegCodec.h"
#include "model/Album.h"
#include "platform/IniFile.h"
#include "viewers/PhotoWindowList.h"
#include "viewers/SlideShowSettings.h"
#include "viewers/Tfm_ThumbNailWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Margin = 5;
constexpr int Variants = 16;

// A thumbnail file as the cache writes them: the picture inside a cream band.
QByteArray ThumbnailBytes(int width, int height, int seed, const QString& scratch)
{
    QImage picture(width + 2 * Margin, height + 2 * Margin, QImage::Format_RGB32);
    picture.fill(QColor(255, 251, 240));
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor::fromHsv((seed * 23) % 360, 160, 220));
    gradient.setColorAt(1, QColor::fromHsv((seed * 23 + 120) % 360, 200, 90));
    painter.fillRect(Margin, Margin, width, height, gradient);
    painter.setBrush(Qt::white);
    painter.drawEllipse(Margin + seed % width, Margin + height / 3, width / 3, height / 3);
    painter.end();
    if (!SaveJpegFile(picture, scratch, 90))
        return {};
    QFile file(scratch);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double Milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Paints the grid now: on screen when the window is exposed, else into a
// picture (the offscreen platform exposes nothing).
void PaintNow(QTableView* view)
{
    const QWindow* handle = view->window()->windowHandle();
    if (handle && handle->isExposed())
        view->viewport()->repaint();
    else
        (void)view->viewport()->grab();
}

struct TScrollFigures {
    int steps = 0;
    double total = 0;
    double slowest = 0;
};

TScrollFigures ScrollToBottom(QTableView* view, int step)
{
    QScrollBar* bar = view->verticalScrollBar();
    TScrollFigures figures;
    bar->setValue(0);
    PaintNow(view);
    for (int value = step; value - step < bar->maximum(); value += step) {
        QElapsedTimer timer;
        timer.start();
        bar->setValue(std::min(value, bar->maximum()));
        PaintNow(view);
        const double ms = Milliseconds(timer);
        figures.total += ms;
        figures.slowest = std::max(figures.slowest, ms);
        ++figures.steps;
    }
    return figures;
}

void Report(const char* label, const TScrollFigures& f)
{
    std::printf("%-24s %6d steps  %9.1f ms  %6.3f ms per step  slowest %6.2f ms\n", label, f.steps, f.total,
        f.steps ? f.total / f.steps : 0.0, f.slowest);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int width = argc > 3 ? std::atoi(argv[2]) : 100;
    const int height = argc > 3 ? std::atoi(argv[3]) : 75;
    if (count < 1 || width < 1 || height < 1) {
        std::fprintf(stderr, "usage: tavri_thumbnail_window_bench [COUNT [WIDTH HEIGHT]]\n");
        return 2;
    }

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    TAlbum album(dir.filePath(QStringLiteral("Bench.tvx")));
    album.SetThumbWidth(width);
    album.SetThumbHeight(height);
    TPhotoList& photos = album.GetPhotos();
    const QString folder = album.Thumbnails().Folder();
    QDir().mkpath(folder);
    TThumbnailIndex index { width, height, {}, {} };
    QByteArray variants[Variants];
    for (int v = 0; v < Variants; ++v)
        variants[v] = ThumbnailBytes(width, height, v, dir.filePath(QStringLiteral("scratch.jpg")));
    std::printf("Writing %d thumbnails of %dx%d in %s ...\n", count, width, height, qPrintable(folder));
    for (int i = 0; i < count; ++i) {
        auto photo = std::make_unique<TPhoto>();
        photo->SetId(photos.TakeNextId());
        photo->SetName(dir.filePath(QStringLiteral("photos/photo%1.jpg").arg(i)));
        const QString thumb = TThumbnailCache::ThumbnailFileName(folder, i, photo->GetName());
        QFile file(thumb);
        if (!file.open(QIODevice::WriteOnly) || file.write(variants[i % Variants]) < 0)
            return 1;
        index.Photos << photo->GetName();
        index.Thumbnails << thumb;
        photos.Add(std::move(photo));
    }
    album.Thumbnails().SaveIndex(index);

    IniFile ini(dir.filePath(QStringLiteral("bench.Ini")));
    TPhotoWindowList windows;
    QElapsedTimer timer;
    timer.start();
    const TSlideShowSettings slideShow(&ini);
    Tfm_ThumbNailWindow window(nullptr, &windows, &ini, slideShow);
    window.SetAlbum(&album);
    window.show();
    window.BuildGrid();
    PaintNow(window.GridView());
    const double firstPaint = Milliseconds(timer);
    const int decodedFirst = window.DecodedThumbnails();

    QTableView* view = window.GridView();
    std::printf("Window %dx%d, grid %d columns x %d rows\n", window.width(), window.height(),
        window.Grid().Columns(), window.Grid().Rows());
    std::printf("%-24s %9.1f ms  (%d thumbnails decoded)\n", "open to first paint", firstPaint, decodedFirst);
    const int rowHeight = window.Grid().RowHeight();
    Report("scroll row by row", ScrollToBottom(view, rowHeight));
    Report("scroll page by page", ScrollToBottom(view, std::max(rowHeight, view->viewport()->height())));
    std::printf("%-24s %d of %d thumbnails held in memory\n", "cache", window.CachedThumbnails(), count);
    return 0;
}
