// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/JpegCodec.h"

#include "imaging/ExifOrientation.h"
#include "imaging/PictureLimits.h"
#include "platform/LargePages.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A Huffman-coded JPEG stores every 8 x 8 block of every component with at
// least one bit (a progressive file's first scan; baseline needs two), so a
// byte of a real file describes at most 512 pixels; photos, arithmetic-coded
// ones too, stay far below that. A header claiming more is forged or the rest
// of the file is missing, and the picture is refused before anything is
// allocated.
constexpr qint64 MaxPixelsPerJpegByte = 512;

// libjpeg's own working memory, above all the coefficients a progressive
// file keeps for every block of the stored picture: enough for a progressive
// 100-megapixel photo without colour subsampling, bounded for any header.
constexpr long MaxDecoderMemory = 640L * 1024 * 1024;

// Real progressive files have about ten scans; each scan walks the whole
// picture again, so thousands of tiny scans would take minutes.
constexpr int MaxScans = 256;

// libjpeg reports errors by calling error_exit, which must not return; we
// jump back to the function that started the work and report failure there.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (a truncated file, a corrupt entropy segment) are not fatal: the
// decoder fills what is missing, as other viewers show such photos.
void OutputMessage(j_common_ptr) { }

void InstallErrorManager(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.message[0] = '\0';
}

void LimitScans(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= MaxScans)
        return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", MaxScans);
    std::longjmp(err->jump, 1);
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// CMYK and YCCK photos (from print workflows) come out as CMYK; Photoshop
// writes them inverted, which its Adobe marker tells. out may be the row
// itself: each pixel is read whole before it is written.
void CmykRowToRgb32(const JSAMPLE* cmyk, QRgb* out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x) {
        int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// The orientation of the first Exif block; libjpeg hands us every APP1
// marker through ReadApp1 below.
struct ExifReading {
    int orientation = 1;
    bool seen = false;
};

// Reads count bytes of the marker into to, or skips them when to is null.
// Our sources never suspend: a refill past the end delivers an end marker.
bool MarkerBytes(j_decompress_ptr cinfo, unsigned char* to, long count)
{
    jpeg_source_mgr* src = cinfo->src;
    while (count > 0) {
        if (src->bytes_in_buffer == 0 && !(*src->fill_input_buffer)(cinfo))
            return false;
        const long n = std::min<long>(count, long(src->bytes_in_buffer));
        if (to) {
            std::memcpy(to, src->next_input_byte, size_t(n));
            to += n;
        }
        src->next_input_byte += n;
        src->bytes_in_buffer -= size_t(n);
        count -= n;
    }
    return true;
}

// Only the first APP1 that begins as Exif is kept, and only it takes memory:
// XMP and the rest are skipped, so a file of thousands of markers costs
// nothing but the reading.
boolean ReadApp1(j_decompress_ptr cinfo)
{
    auto* exif = static_cast<ExifReading*>(cinfo->client_data);
    unsigned char length[2];
    if (!MarkerBytes(cinfo, length, 2))
        return FALSE;
    long left = long(length[0]) << 8 | length[1];
    left -= 2;
    constexpr long HeadSize = 6;
    if (exif->seen || left < HeadSize)
        return MarkerBytes(cinfo, nullptr, left);
    unsigned char head[HeadSize];
    if (!MarkerBytes(cinfo, head, HeadSize))
        return FALSE;
    left -= HeadSize;
    if (std::memcmp(head, "Exif\0\0", HeadSize) != 0)
        return MarkerBytes(cinfo, nullptr, left);
    exif->seen = true;
    auto* block = static_cast<unsigned char*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, size_t(HeadSize + left)));
    std::memcpy(block, head, HeadSize);
    if (!MarkerBytes(cinfo, block + HeadSize, left))
        return FALSE;
    exif->orientation = ExifOrientation(block, size_t(HeadSize + left));
    return TRUE;
}

// Mirrors a row in place, four pixels at a time where the processor can.
void MirrorRow(QRgb* row, int width)
{
    int left = 0, right = width;
#if defined(__SSE2__)
    for (; right - left >= 8; left += 4) {
        right -= 4;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + left));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + right));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + left), _mm_shuffle_epi32(b, 0x1B));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + right), _mm_shuffle_epi32(a, 0x1B));
    }
#endif
    std::reverse(row + left, row + right);
}

// Rows decoded a batch at a time when the picture turns a quarter.
constexpr int BatchRows = 64;

// A large picture gets memory of its own, mapped for it alone and given
// back when its last copy goes. The picture is fresh memory, and with the
// system's small pages every 4 KiB of it costs a page fault; a quarter turn
// also writes each batch across every row, a page-table miss per short run.
// Large pages, asked for on this mapping where the system gives them, make
// both a small share of the decoding. Smaller pictures, thumbnails above
// all, come from the usual allocator.
constexpr size_t OwnMemoryFromBytes = 4 * LargePageSize;

struct TPictureMemory {
    void* Begin;
    size_t Length;
};

void ReleasePictureMemory(void* info)
{
    auto* memory = static_cast<TPictureMemory*>(info);
    UnmapLargePages(memory->Begin, memory->Length);
    delete memory;
}

// An RGB32 picture of width x height, uninitialised; null when there is no memory for it.
QImage NewPicture(int width, int height)
{
    const size_t stride = size_t(width) * 4;
    const size_t bytes = stride * size_t(height);
    if (bytes < OwnMemoryFromBytes)
        return QImage(width, height, QImage::Format_RGB32);
    void* begin = MapLargePages(bytes);
    if (!begin)
        return QImage();
    auto* memory = new TPictureMemory { begin, bytes };
    QImage picture(static_cast<uchar*>(memory->Begin), width, height, qsizetype(stride), QImage::Format_RGB32,
        ReleasePictureMemory, memory);
    // A picture that could not be made does not call for its memory back.
    if (picture.isNull())
        ReleasePictureMemory(memory);
    return picture;
}

// Puts count decoded rows (at most BatchRows), starting at row first of a
// width x height decode, into the upright picture turned as orientation 5
// to 8 says: column x becomes a row, row y a column. Each upright row gets
// the batch as one short run, so the writes stay together, and four by four
// pixels are turned in registers where the processor can.
void TurnRows(
    QImage& upright, const JSAMPARRAY rows, int first, int count, int width, int height, int orientation)
{
    const bool columnsFromBottom = orientation == 7 || orientation == 8;
    const bool rowsFromRight = orientation == 6 || orientation == 7;
    uchar* const bits = upright.bits();
    const qsizetype stride = upright.bytesPerLine();
    const auto uprightRow = [&](int x) {
        return reinterpret_cast<QRgb*>(bits + (columnsFromBottom ? width - 1 - x : x) * stride);
    };
    const auto pixel = [&](int j, int x) { return reinterpret_cast<const QRgb*>(rows[j])[x]; };
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4) {
        QRgb* const out[4] = { uprightRow(x), uprightRow(x + 1), uprightRow(x + 2), uprightRow(x + 3) };
        int j = 0;
        for (; j + 4 <= count; j += 4) {
            __m128i r[4];
            for (int k = 0; k < 4; ++k)
                r[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[j + k]) + x / 4);
            const __m128i low01 = _mm_unpacklo_epi32(r[0], r[1]), low23 = _mm_unpacklo_epi32(r[2], r[3]);
            const __m128i high01 = _mm_unpackhi_epi32(r[0], r[1]), high23 = _mm_unpackhi_epi32(r[2], r[3]);
            const __m128i columns[4] = { _mm_unpacklo_epi64(low01, low23), _mm_unpackhi_epi64(low01, low23),
                _mm_unpacklo_epi64(high01, high23), _mm_unpackhi_epi64(high01, high23) };
            // Rows y to y + 3 land in columns y to y + 3, or from the right
            // in height - 1 - y down to height - 4 - y.
            const int y = first + j;
            const int at = rowsFromRight ? height - 4 - y : y;
            for (int k = 0; k < 4; ++k) {
                const __m128i run = rowsFromRight ? _mm_shuffle_epi32(columns[k], 0x1B) : columns[k];
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out[k] + at), run);
            }
        }
        for (; j < count; ++j) {
            const int y = first + j;
            for (int k = 0; k < 4; ++k)
                out[k][rowsFromRight ? height - 1 - y : y] = pixel(j, x + k);
        }
    }
#endif
    for (; x < width; ++x) {
        QRgb* const out = uprightRow(x);
        for (int j = 0; j < count; ++j) {
            const int y = first + j;
            out[rowsFromRight ? height - 1 - y : y] = pixel(j, x);
        }
    }
}

// Pictures from this many pixels on turn their batches on a second core
// while the next batch decodes, so a turned photo opens about as soon as an
// upright one; below it a thread would cost more than the turning.
constexpr qint64 TurnAsideFromPixels = 2'000'000;

// Turns decoded batches into the upright picture on a thread of its own. The
// decoding hands over one batch while it fills the other buffer, so at most
// one batch is being turned and the buffer handed over before is free again.
class TBatchTurner {
public:
    TBatchTurner() = default;
    TBatchTurner(const TBatchTurner&) = delete;
    TBatchTurner& operator=(const TBatchTurner&) = delete;
    ~TBatchTurner() { Finish(); }

    void Begin(QImage& upright, int width, int height, int orientation)
    {
        m_upright = &upright;
        m_width = width;
        m_height = height;
        m_orientation = orientation;
        m_stop = false;
        m_worker = std::thread([this] { Run(); });
    }

    // Returns once the batch handed over before is in the picture and this
    // one is taken, so its rows must stay untouched until the next call.
    void Turn(JSAMPARRAY rows, int first, int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_pending && !m_busy; });
        m_rows = rows;
        m_first = first;
        m_count = count;
        m_pending = true;
        m_changed.notify_all();
    }

    // Waits until every batch handed over is in the picture.
    void Finish()
    {
        if (!m_worker.joinable())
            return;
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_worker.join();
    }

private:
    void Run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_pending || m_stop; });
            if (!m_pending)
                return;
            m_pending = false;
            m_busy = true;
            const JSAMPARRAY rows = m_rows;
            const int first = m_first, count = m_count;
            lock.unlock();
            TurnRows(*m_upright, rows, first, count, m_width, m_height, m_orientation);
            lock.lock();
            m_busy = false;
            m_changed.notify_all();
        }
    }

    QImage* m_upright = nullptr;
    int m_width = 0, m_height = 0, m_orientation = 1;
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    JSAMPARRAY m_rows = nullptr;
    int m_first = 0, m_count = 0;
    bool m_pending = false, m_busy = false, m_stop = false;
};

// Where the compressed bytes come from: a buffer or an open file.
struct Source {
    const unsigned char* data = nullptr;
    size_t size = 0;
    FILE* file = nullptr;
};

bool Decode(const Source& source, QImage& image, int boxWidth, int boxHeight, QString* error)
{
    image = QImage();
    if (source.size == 0 || (!source.data && !source.file)) {
        SetError(error, QStringLiteral("empty JPEG data"));
        return false;
    }
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    InstallErrorManager(err);
    cinfo.err = &err.pub;
    jpeg_progress_mgr progress {};
    progress.progress_monitor = LimitScans;
    // Declared before setjmp: a longjmp lands in this frame and must not
    // leave a scope with destructors behind it.
    QImage result;
    TBatchTurner turner;
    if (setjmp(err.jump)) {
        // The turner may still read rows of libjpeg's pool.
        turner.Finish();
        jpeg_destroy_decompress(&cinfo);
        SetError(error, QString::fromLocal8Bit(err.message));
        image = QImage();
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = MaxDecoderMemory;
    cinfo.progress = &progress;
    ExifReading exif;
    cinfo.client_data = &exif;
    jpeg_set_marker_processor(&cinfo, JPEG_APP0 + 1, ReadApp1);
    if (source.file)
        jpeg_stdio_src(&cinfo, source.file);
    else
        jpeg_mem_src(&cinfo, source.data, static_cast<unsigned long>(source.size));
    jpeg_read_header(&cinfo, TRUE);

    // The box holds the upright picture, whose sides a quarter turn swaps.
    const int orientation = exif.orientation;
    const bool turns = ExifOrientationTurns(orientation);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    cinfo.scale_num = static_cast<unsigned>(turns
            ? JpegScaleNumerator(int(cinfo.image_height), int(cinfo.image_width), boxWidth, boxHeight)
            : JpegScaleNumerator(int(cinfo.image_width), int(cinfo.image_height), boxWidth, boxHeight));
    cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&cinfo);

    // The stored size counts too, not only the reduced one: libjpeg works
    // through every block of the stored picture, and a progressive file
    // keeps all of them in memory, so a forged header of a few bytes would
    // otherwise cost gigabytes when decoded for a thumbnail.
    const qint64 w = cinfo.output_width, h = cinfo.output_height;
    const qint64 fileBytes = qint64(std::min<size_t>(source.size, size_t(PictureLimits::MaxPixels)));
    if (!PictureLimits::PlausibleSize(w, h, fileBytes, MaxPixelsPerJpegByte)
        || !PictureLimits::PlausibleSize(
            cinfo.image_width, cinfo.image_height, fileBytes, MaxPixelsPerJpegByte)) {
        jpeg_destroy_decompress(&cinfo);
        SetError(error, QStringLiteral("JPEG picture too large"));
        return false;
    }
    result = turns ? NewPicture(int(h), int(w)) : NewPicture(int(w), int(h));
    if (result.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        SetError(error, QStringLiteral("out of memory"));
        return false;
    }

    jpeg_start_decompress(&cinfo);
    // libjpeg-turbo writes blue, green, red, 0xFF: RGB32's memory order; CMYK
    // rows are as wide, and converted in place.
    const bool inverted = cinfo.saw_Adobe_marker;
    if (!turns) {
        // Each row straight into its place, mirrored there when it must be.
        const bool upsideDown = orientation == 3 || orientation == 4;
        const bool mirrored = orientation == 2 || orientation == 3;
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = int(cinfo.output_scanline);
            auto* row = reinterpret_cast<QRgb*>(result.scanLine(upsideDown ? int(h) - 1 - y : y));
            JSAMPROW rows[1] = { reinterpret_cast<JSAMPROW>(row) };
            jpeg_read_scanlines(&cinfo, rows, 1);
            if (cmyk)
                CmykRowToRgb32(rows[0], row, int(w), inverted);
            if (mirrored)
                MirrorRow(row, int(w));
        }
    } else {
        // The rows come from libjpeg's pool: a longjmp must not skip a destructor.
        const bool aside = w * h >= TurnAsideFromPixels && std::thread::hardware_concurrency() > 1;
        JSAMPARRAY buffers[2];
        for (JSAMPARRAY& buffer : buffers)
            buffer = (*cinfo.mem->alloc_sarray)(
                reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, JDIMENSION(w * 4), BatchRows);
        if (aside)
            turner.Begin(result, int(w), int(h), orientation);
        for (int batch = 0; cinfo.output_scanline < cinfo.output_height; ++batch) {
            JSAMPARRAY rows = buffers[aside ? batch % 2 : 0];
            const int first = int(cinfo.output_scanline);
            int count = 0;
            while (count < BatchRows && cinfo.output_scanline < cinfo.output_height)
                count += int(jpeg_read_scanlines(&cinfo, rows + count, JDIMENSION(BatchRows - count)));
            for (int j = 0; cmyk && j < count; ++j)
                CmykRowToRgb32(rows[j], reinterpret_cast<QRgb*>(rows[j]), int(w), inverted);
            if (aside)
                turner.Turn(rows, first, count);
            else
                TurnRows(result, rows, first, count, int(w), int(h), orientation);
        }
        turner.Finish();
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    image = result;
    return true;
}

} // namespace

int JpegScaleNumerator(int width, int height, int boxWidth, int boxHeight)
{
    if (boxWidth <= 0 || boxHeight <= 0 || width <= 0 || height <= 0)
        return 8;
    // libjpeg's output size for n/8 is the size times n/8, rounded up.
    for (int n = 1; n < 8; ++n) {
        const qint64 w = (qint64(width) * n + 7) / 8;
        const qint64 h = (qint64(height) * n + 7) / 8;
        if (w >= boxWidth && h >= boxHeight)
            return n;
    }
    return 8;
}

bool DecodeJpegData(const QByteArray& data, QImage& image, int boxWidth, int boxHeight, QString* error)
{
    Source source;
    source.data = reinterpret_cast<const unsigned char*>(data.constData());
    source.size = size_t(data.size());
    return Decode(source, image, boxWidth, boxHeight, error);
}

bool DecodeJpegFile(const QString& fileName, QImage& image, int boxWidth, int boxHeight, QString* error)
{
    image = QImage();
    // Only a regular file: a FIFO would block the program for good. Read
    // through stdio, not mapped: a photo cut short while we decode it must
    // not crash the program with a bus error, and the file never has to fit
    // in memory beside its picture.
    qint64 size = 0;
    int code = 0;
    const int fd = OpenRegularFile(fileName, &size, &code);
    if (fd < 0) {
        SetError(error, SystemErrorText(code));
        return false;
    }
    FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        SetError(error, QStringLiteral("out of memory"));
        return false;
    }
    Source source;
    source.file = file;
    source.size = size_t(size);
    if (size == 0)
        SetError(error, QStringLiteral("empty file"));
    const bool ok = size > 0 && Decode(source, image, boxWidth, boxHeight, error);
    std::fclose(file);
    return ok;
}

QByteArray EncodeJpeg(const QImage& source, int quality, QString* error)
{
    if (source.isNull()) {
        SetError(error, QStringLiteral("empty picture"));
        return QByteArray();
    }
    const QImage image = (source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32)
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        SetError(error, QStringLiteral("out of memory"));
        return QByteArray();
    }

    jpeg_compress_struct cinfo;
    ErrorManager err;
    InstallErrorManager(err);
    cinfo.err = &err.pub;
    // libjpeg allocates the output with malloc and tells its address here.
    unsigned char* outBuffer = nullptr;
    unsigned long outSize = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(outBuffer);
        SetError(error, QString::fromLocal8Bit(err.message));
        return QByteArray();
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &outBuffer, &outSize);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, qBound(1, quality, 100), TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = { const_cast<JSAMPLE*>(image.constScanLine(int(cinfo.next_scanline))) };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char*>(outBuffer), qsizetype(outSize));
    std::free(outBuffer);
    return result;
}

bool WriteFileReplacing(const QString& fileName, const QByteArray& data, QString* error)
{
    int code = 0;
    if (WriteFileAtomically(fileName, data, TLinkPolicy::Replace, false, &code))
        return true;
    SetError(error, SystemErrorText(code));
    return false;
}

bool SaveJpegFile(const QImage& image, const QString& fileName, int quality, QString* error)
{
    const QByteArray data = EncodeJpeg(image, quality, error);
    if (data.isEmpty())
        return false;
    return WriteFileReplacing(fileName, data, error);
}
