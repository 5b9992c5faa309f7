// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/ImageLoader.h"

#include "imaging/DecoderProcess.h"
#include "imaging/FreeImageBinding.h"
#include "imaging/JpegCodec.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureSignature.h"
#include "platform/AppFolders.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/TextUtil.h"

#include <NViewLib.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <mutex>

#include <dlfcn.h>
#include <unistd.h>

namespace {

// The NViewLib stand-in, opened once per file name and never closed: the
// pictures it returned keep pointing into it.
struct NViewLibBinding {
    std::mutex lock;
    QString overrideName;
    QString openedName;
    void* handle = nullptr;
    decltype(&::NViewLibLoad) load = nullptr;
    decltype(&::NViewLibFree) release = nullptr;
};

NViewLibBinding& NViewLib()
{
    static NViewLibBinding binding;
    return binding;
}

QString DefaultNViewLibFileName()
{
    return AppFolders::BesideProgram(QStringLiteral("libNViewLib.so"));
}

// Opens the library named now when it is not the one opened before. Called
// with the binding locked.
bool OpenNViewLib(NViewLibBinding& b)
{
    const QString name = b.overrideName.isEmpty() ? DefaultNViewLibFileName() : b.overrideName;
    if (b.handle && name == b.openedName)
        return b.load && b.release;
    b.openedName = name;
    b.load = nullptr;
    b.release = nullptr;
    b.handle = ::dlopen(QFile::encodeName(name).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!b.handle)
        return false;
    b.load = reinterpret_cast<decltype(b.load)>(::dlsym(b.handle, "NViewLibLoad"));
    b.release = reinterpret_cast<decltype(b.release)>(::dlsym(b.handle, "NViewLibFree"));
    return b.load && b.release;
}

// The one size check of the chain: the directory entry must be a file of
// 1 byte up to what a signed 32-bit size can hold.
bool HasDecodableSize(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists() || !info.isFile())
        return false;
    const qint64 size = info.size();
    return size > 0 && size <= 0x7FFFFFFF;
}

// The platform's picture reader for one format, whatever the file is named.
bool ReadPicture(const QString& fileName, const QByteArray& format, QImage& image)
{
    image = QImage();
    // Only a regular file: a FIFO would block the program for good.
    qint64 fileSize = 0;
    const int fd = OpenRegularFile(fileName, &fileSize);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(false);
    // The header's size must be one the file can hold, before the reader
    // allocates the picture and fills what the file lacks.
    const QSize size = reader.size();
    if (!PictureLimits::PlausibleSize(size.width(), size.height(), fileSize))
        return false;
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return false;
    image = decoded.convertToFormat(QImage::Format_RGB32);
    return !image.isNull();
}

// The decoders one file has been offered, so that none gets it twice.
struct TriedDecoders {
    bool jpeg = false;
    bool bitmap = false;
    bool nViewLib = false;
    int freeImageCode = -1;
};

// The chain for a file of extension ext, each decoder only when it has not
// had the file yet.
bool RunChain(const QString& fileName, const QString& ext, QImage& image, int boxWidth, int boxHeight,
    TriedDecoders& tried)
{
    bool result = false;
    if (ext == QLatin1String(".jpg") && !tried.jpeg) {
        tried.jpeg = true;
        result = DecodeJpegFile(fileName, image, boxWidth, boxHeight);
    } else if (ext == QLatin1String(".bmp") && !tried.bitmap) {
        tried.bitmap = true;
        result = ReadPicture(fileName, QByteArrayLiteral("bmp"), image);
    }
    if (result)
        return true;
    if (IsNViewLibExtension(ext) && !tried.nViewLib) {
        tried.nViewLib = true;
        result = LoadWithNViewLib(fileName, image);
    }
    const int code = FreeImageFormatCode(ext);
    if (!result && code >= 0 && code != tried.freeImageCode) {
        tried.freeImageCode = code;
        result = LoadWithFreeImage(fileName, code, image);
    }
    return result;
}

// A thumbnail covers its box with the picture and keeps the box's top-left
// part. A picture that cannot cover the box by itself (thinner than the box
// in a direction) is enlarged for it, so only a part no larger than the box
// is ever shown: that part alone is kept, with two pixels more for the
// smoothing at its edge, so that a sliver of 65500 x 1 does not travel
// further at full length.
void KeepWhatTheBoxShows(QImage& image, int boxWidth, int boxHeight)
{
    const int w = image.width(), h = image.height();
    if (boxWidth <= 0 || boxHeight <= 0 || w <= 0 || h <= 0 || (w > boxWidth && h > boxHeight))
        return;
    const double r
        = std::max(w < boxWidth ? double(boxWidth) / w : 1.0, h < boxHeight ? double(boxHeight) / h : 1.0);
    const auto kept = [r](int size, int box) {
        const int needed = int(std::ceil(box / r)) + 2;
        return std::max(1, std::min({ size, box, needed }));
    };
    const int keptW = kept(w, boxWidth);
    const int keptH = kept(h, boxHeight);
    if (keptW != w || keptH != h)
        image = image.copy(0, 0, keptW, keptH);
}

bool LoadChain(const QString& fileName, QImage& image, int boxWidth, int boxHeight)
{
    image = QImage();
    if (!HasDecodableSize(fileName))
        return false;
    const QString ext = ImageExtension(fileName);
    TriedDecoders tried;
    bool result = RunChain(fileName, ext, image, boxWidth, boxHeight, tried);
    // A picture whose name lies (a PNG saved as ".jpg") is offered to the
    // decoders of the format its first bytes name. Only a name that claims a
    // picture is doubted: another file is no picture of ours.
    if (!result && (IsNViewLibExtension(ext) || FreeImageFormatCode(ext) >= 0)) {
        const QString named = FilePictureSignatureExtension(fileName);
        if (!named.isEmpty() && named != ext)
            result = RunChain(fileName, named, image, boxWidth, boxHeight, tried);
    }
    if (!result)
        image = QImage();
    else
        KeepWhatTheBoxShows(image, boxWidth, boxHeight);
    return result;
}

} // namespace

QString ImageExtension(const QString& fileName)
{
    QString ext = Text::AsciiLower(Paths::ExtractFileExt(fileName));
    if (ext == QLatin1String(".jpeg"))
        ext = QStringLiteral(".jpg");
    return ext;
}

bool IsNViewLibExtension(const QString& ext)
{
    static const char* const extensions[]
        = { ".bmp", ".dib", ".gif", ".jif", ".jpg", ".rle", ".tga", ".pcx" };
    for (const char* e : extensions) {
        if (ext == QLatin1String(e))
            return true;
    }
    return false;
}

int FreeImageFormatCode(const QString& ext)
{
    static const struct {
        const char* ext;
        int code;
    } codes[] = {
        { ".bmp", 0 },
        { ".ico", 1 },
        { ".jpg", 2 },
        { ".jpeg", 2 },
        { ".jng", 3 },
        { ".koa", 4 },
        { ".lbm", 5 },
        { ".iff", 5 },
        { ".mng", 6 },
        { ".pbm", 7 },
        { ".pcd", 9 },
        { ".pcx", 10 },
        { ".pgm", 11 },
        { ".png", 13 },
        { ".ppm", 14 },
        { ".ras", 16 },
        { ".tga", 17 },
        { ".tif", 18 },
        { ".tiff", 18 },
        { ".wbmp", 19 },
        { ".psd", 20 },
        { ".cut", 21 },
    };
    for (const auto& c : codes) {
        if (ext == QLatin1String(c.ext))
            return c.code;
    }
    return -1;
}

bool LoadImageFile(const QString& fileName, QImage& image)
{
    return LoadChain(fileName, image, 0, 0);
}

bool LoadImageFileForBox(const QString& fileName, QImage& image, int boxWidth, int boxHeight)
{
    return LoadChain(fileName, image, boxWidth, boxHeight);
}

bool LoadJpegFile(const QString& fileName, QImage& image)
{
    return DecodeJpegFile(fileName, image);
}

bool LoadPictureFile(const QString& fileName, QImage& image)
{
    return ReadPicture(fileName, QFileInfo(fileName).suffix().toLatin1().toLower(), image);
}

QString NViewLibFileName()
{
    NViewLibBinding& b = NViewLib();
    std::lock_guard guard(b.lock);
    return b.overrideName.isEmpty() ? DefaultNViewLibFileName() : b.overrideName;
}

void SetNViewLibFileName(const QString& fileName)
{
    NViewLibBinding& b = NViewLib();
    std::lock_guard guard(b.lock);
    b.overrideName = fileName;
}

bool NViewLibAvailable()
{
    NViewLibBinding& b = NViewLib();
    std::lock_guard guard(b.lock);
    return OpenNViewLib(b);
}

bool LoadWithNViewLib(const QString& fileName, QImage& image)
{
    image = QImage();
    NViewLibBinding& b = NViewLib();
    decltype(b.load) load;
    decltype(b.release) release;
    {
        std::lock_guard guard(b.lock);
        if (!OpenNViewLib(b))
            return false;
        load = b.load;
        release = b.release;
    }
    NViewBitmap* bitmap = load(QFile::encodeName(fileName).constData(), 0);
    if (!bitmap)
        return false;
    if (bitmap->width <= 0 || bitmap->height <= 0 || !bitmap->pixels || bitmap->stride < bitmap->width * 4) {
        release(bitmap);
        return false;
    }
    // The picture takes over the library's bitmap and frees it with the library.
    struct Owner {
        decltype(&::NViewLibFree) release;
        NViewBitmap* bitmap;
    };
    auto* owner = new Owner { release, bitmap };
    image = QImage(
        bitmap->pixels, bitmap->width, bitmap->height, bitmap->stride, QImage::Format_RGB32,
        [](void* info) {
            auto* o = static_cast<Owner*>(info);
            o->release(o->bitmap);
            delete o;
        },
        owner);
    return !image.isNull();
}

bool LoadWithFreeImage(const QString& fileName, QImage& image)
{
    image = QImage();
    const int code = FreeImageFormatCode(ImageExtension(fileName));
    return code >= 0 && LoadWithFreeImage(fileName, code, image);
}

bool LoadWithFreeImage(const QString& fileName, int formatCode, QImage& image)
{
    image = QImage();
    // Only a regular file; the decoder process checks again on the file it opens.
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    return FreeImageDecoder().Decode(info.absoluteFilePath(), formatCode, FreeImageLibraryName(), image);
}
