#include "imaging/ImageLoader.h"

#include "imaging/FreeImageBinding.h"
#include "imaging/JpegCodec.h"
#include "platform/AppFolders.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"

#include <NViewLib.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <mutex>

#include <dlfcn.h>

namespace {

// FreeImage's FREE_IMAGE_TYPE for ordinary bitmaps.
constexpr int FreeImageTypeBitmap = 1;

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
    const QString beside = AppFolders::ProgramFolder() + QStringLiteral("libNViewLib.so");
    if (QFileInfo::exists(beside))
        return beside;
    // Test executables live in another folder than the program; the build
    // tells them where the program's folder is.
    const QString binDir = qEnvironmentVariable("TAVRI_BIN_DIR");
    if (!binDir.isEmpty()) {
        const QString inBin = Paths::IncludeTrailingSeparator(binDir) + QStringLiteral("libNViewLib.so");
        if (QFileInfo::exists(inBin))
            return inBin;
    }
    return beside;
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

// Blue, green, red in memory is RGB32 on a little-endian machine once the
// fourth byte is forced to 0xFF; whole-word loads make these rows several
// times faster than assembling each pixel from its bytes, which counts for
// every photo of a thumbnail run.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "FreeImage rows are copied as little-endian words");

void CopyBgrxRow(const unsigned char* from, QRgb* to, unsigned width)
{
    for (unsigned x = 0; x < width; ++x) {
        quint32 word;
        std::memcpy(&word, from + 4 * qsizetype(x), 4);
        to[x] = word | 0xFF000000u;
    }
}

void CopyBgrRow(const unsigned char* from, QRgb* to, unsigned width)
{
    if (width == 0)
        return;
    // Each load takes one byte of the next pixel, so the last pixel, whose
    // next byte may lie past the picture, is assembled byte by byte.
    const unsigned words = width - 1;
    for (unsigned x = 0; x < words; ++x) {
        quint32 word;
        std::memcpy(&word, from + 3 * qsizetype(x), 4);
        to[x] = word | 0xFF000000u;
    }
    const unsigned char* last = from + 3 * qsizetype(words);
    to[words] = qRgb(last[2], last[1], last[0]);
}

bool LoadChain(const QString& fileName, QImage& image, int boxWidth, int boxHeight)
{
    image = QImage();
    if (!HasDecodableSize(fileName))
        return false;
    const QString ext = ImageExtension(fileName);
    bool result = false;
    if (ext == QLatin1String(".jpg"))
        result = DecodeJpegFile(fileName, image, boxWidth, boxHeight);
    else if (ext == QLatin1String(".bmp"))
        result = LoadPictureFile(fileName, image);
    if (result)
        return true;
    if (IsNViewLibExtension(ext))
        result = LoadWithNViewLib(fileName, image);
    if (!result)
        result = LoadWithFreeImage(fileName, image);
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
    image = QImage();
    QImageReader reader(fileName, QFileInfo(fileName).suffix().toLatin1().toLower());
    reader.setDecideFormatFromContent(false);
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return false;
    image = decoded.convertToFormat(QImage::Format_RGB32);
    return !image.isNull();
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
    if (code < 0)
        return false;
    LoadFreeImageLibrary();
    const FreeImage::TProcs& fi = FreeImageProcs;
    if (!fi.FreeImage_Load || !fi.FreeImage_Unload || !fi.FreeImage_GetBits || !fi.FreeImage_GetBPP
        || !fi.FreeImage_GetWidth || !fi.FreeImage_GetHeight)
        return false;

    FIBITMAP* loaded = fi.FreeImage_Load(code, QFile::encodeName(fileName).constData(), 0);
    if (!loaded)
        return false;
    // Ordinary 24 and 32-bit pictures are read as they are; every other
    // depth and type is converted to 32 bits first.
    FIBITMAP* dib = loaded;
    const unsigned loadedBpp = fi.FreeImage_GetBPP(loaded);
    const bool plain = (loadedBpp == 24 || loadedBpp == 32)
        && (!fi.FreeImage_GetImageType || fi.FreeImage_GetImageType(loaded) == FreeImageTypeBitmap);
    if (!plain) {
        dib = fi.FreeImage_ConvertTo32Bits ? fi.FreeImage_ConvertTo32Bits(loaded) : nullptr;
        fi.FreeImage_Unload(loaded);
        if (!dib)
            return false;
    }

    const unsigned bytesPerPixel = fi.FreeImage_GetBPP(dib) / 8;
    const unsigned width = fi.FreeImage_GetWidth(dib);
    const unsigned height = fi.FreeImage_GetHeight(dib);
    const unsigned char* bits = fi.FreeImage_GetBits(dib);
    const qsizetype minimumPitch = ((qsizetype(width) * bytesPerPixel + 3) / 4) * 4;
    const qsizetype pitch = fi.FreeImage_GetPitch ? qsizetype(fi.FreeImage_GetPitch(dib)) : minimumPitch;
    bool ok = false;
    if (bits && (bytesPerPixel == 3 || bytesPerPixel == 4) && width > 0 && height > 0 && width <= 65535
        && height <= 65535 && pitch >= minimumPitch) {
        QImage result(int(width), int(height), QImage::Format_RGB32);
        if (!result.isNull()) {
            // FreeImage keeps the bottom row first; each pixel is blue,
            // green, red and, with 32 bits, a fourth byte that is ignored.
            for (unsigned row = 0; row < height; ++row) {
                const unsigned char* from = bits + qsizetype(row) * pitch;
                auto* to = reinterpret_cast<QRgb*>(result.scanLine(int(height - 1 - row)));
                if (bytesPerPixel == 4)
                    CopyBgrxRow(from, to, width);
                else
                    CopyBgrRow(from, to, width);
            }
            image = result;
            ok = true;
        }
    }
    fi.FreeImage_Unload(dib);
    return ok;
}
