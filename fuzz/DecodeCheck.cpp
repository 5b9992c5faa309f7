// SPDX-License-Identifier: GPL-2.0-or-later
// Decodes each file given the way the program does (LoadImageFile, then
// LoadImageFileForBox and MakeThumbnail for a 200 x 200 thumbnail) and prints
// one line per file: whether each decode gave a picture, the seconds taken,
// this process's peak memory and the decoder process's peak memory, in
// kilobytes. check-limits.sh runs it once per file.
//
//   tavri_decode_check FILE...
#include "imaging/DecoderProcess.h"
#include "imaging/ImageLoader.h"
#include "imaging/PictureDrawing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

qint64 PeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const QString file = QFile::decodeName(argv[i]);
        QElapsedTimer timer;
        timer.start();
        QImage full;
        const bool fullOk = LoadImageFile(file, full);
        const QSize fullSize = full.size();
        full = QImage();
        const double fullSeconds = timer.nsecsElapsed() / 1e9;
        timer.restart();
        QImage photo;
        const bool boxOk = LoadImageFileForBox(file, photo, 200, 200);
        QImage thumb;
        if (boxOk)
            MakeThumbnail(photo, thumb, 5, 5, 5, 5, 200, 200);
        const double boxSeconds = timer.nsecsElapsed() / 1e9;
        FreeImageDecoder().Stop();
        std::printf("%s\tfull=%d %dx%d %.3f s\tbox=%d %.3f s\tprogram %lld kB\tdecoder %lld kB\n", argv[i],
            fullOk ? 1 : 0, fullSize.width(), fullSize.height(), fullSeconds, boxOk ? 1 : 0, boxSeconds,
            static_cast<long long>(PeakKilobytes()), static_cast<long long>(FreeImageDecoder().PeakMemory()));
    }
    return 0;
}
