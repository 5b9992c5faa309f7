// SPDX-License-Identifier: GPL-2.0-or-later
// Fuzz target: the whole decoder chain as the program runs it, FreeImage in
// its decoder process included. The first byte picks the file's extension
// (its low seven bits) and a decode at full size or for a thumbnail box (its
// high bit); the rest is the file. The program must survive every file,
// within its memory (libFuzzer's -rss_limit_mb watches this process) and time.
#include "imaging/DecoderProcess.h"
#include "imaging/ImageLoader.h"
#include "platform/AppFolders.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// The NViewLib extensions and every extension FreeImage has a code for.
const char* const Extensions[]
    = { ".jpg", ".bmp", ".gif", ".tga", ".pcx", ".dib", ".jif", ".rle", ".png", ".tif", ".psd", ".ras",
          ".ico", ".wbmp", ".ppm", ".pgm", ".pbm", ".jng", ".koa", ".lbm", ".mng", ".pcd", ".cut" };
constexpr int ExtensionCount = int(sizeof Extensions / sizeof Extensions[0]);

std::unique_ptr<QTemporaryDir> g_dir;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No application object (its end among the exit handlers crashes): the
    // decoders beside the program are found through TAVRI_BIN_DIR.
    AppFolders::SetProgramFolderForTesting(qEnvironmentVariable("TAVRI_BIN_DIR"));
    g_dir = std::make_unique<QTemporaryDir>();
    // A file that hangs FreeImage costs this long; the program's own limit
    // is longer, which would only slow the search down.
    FreeImageDecoder().SetTimeLimit(1000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const char* extension = Extensions[(data[0] & 0x7F) % ExtensionCount];
    const QString path = g_dir->filePath(QStringLiteral("input") + QLatin1String(extension));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    QImage image;
    if (data[0] & 0x80)
        LoadImageFileForBox(path, image, 200, 150);
    else
        LoadImageFile(path, image);
    QFile::remove(path);
    return 0;
}
