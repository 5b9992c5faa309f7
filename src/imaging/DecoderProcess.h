// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The decoder process: the small program beside the executable in which
// FreeImage decodes pictures for the chain. It runs with a memory limit and
// each request with a budget of processor time that grows with the size the
// picture's header claims; a picture over the pixel budget is refused before
// it is decoded. When the process crashes, exceeds a limit or does not
// answer, the file in hand counts as undecodable and the next request starts
// a fresh process. A healthy process serves one request after another.
//
// Everything waits on the caller's thread, the window's too, so a file that
// failed by a limit is remembered for the rest of the run (by path, size,
// modification time and file number) and fails at once when it is asked for
// again, for its thumbnail say.
#include <QSet>
#include <QString>

#include <mutex>
#include <sys/types.h>

class QImage;
class TDecodeClock;

class TDecoderProcess {
public:
    // The process's address space, FreeImage's pictures and its own code
    // included: a 100-megapixel photo fits, with the program's picture of it
    // beside the total stays far from what would exhaust a desktop.
    static constexpr qint64 MemoryLimit = qint64(1) << 30;
    // The processor time a request may take in the decoder process, from the
    // moment it is sent (TDecodeClock in the .cpp adds twice as much on the
    // clock for a busy machine): a second for starting the process and any
    // small picture, and 150 ms more for every million pixels. A 48-megapixel
    // PNG, which takes 1.5 to 2 s, has 8 s; a 100-megapixel picture 16 s.
    // The pixels counted are those the header claims, as far as a file of its
    // size can describe them (PictureLimits::MaxPixelsPerFileByte): a few
    // bytes that claim a huge picture and then loop get little more than the
    // second. A format that tells its size only by decoding gets 1.5 s: no
    // photo comes in those.
    static constexpr qint64 BaseTimeMs = 1000;
    static constexpr qint64 MsPerMegapixel = 150;
    static constexpr qint64 UnknownSizeTimeMs = 1500;
    static qint64 TimeBudgetMs(qint64 width, qint64 height, qint64 fileBytes);

    TDecoderProcess() = default;
    ~TDecoderProcess();
    TDecoderProcess(const TDecoderProcess&) = delete;
    TDecoderProcess& operator=(const TDecoderProcess&) = delete;

    // Decodes fileName with FreeImage's format formatCode, the library named
    // libraryName loaded by the process (a process that loaded another name
    // is replaced first). The image is cleared first; false, with the image
    // null, when the file could not be decoded for any reason, at once when
    // it failed by a limit before.
    bool Decode(const QString& fileName, int formatCode, const QString& libraryName, QImage& image);

    // Ends the process now, if one runs. Returns its peak memory in
    // kilobytes, 0 when none ran.
    qint64 Stop();
    // The largest peak memory, in kilobytes, of the processes ended so far.
    qint64 PeakMemory() const;

    // The most processor time any request may take, in milliseconds,
    // whatever its budget (tests and fuzzing); 0 or less leaves each request
    // its budget.
    void SetTimeLimit(int milliseconds);
    int TimeLimit() const;

    // The decoder program: "tavrimolex-decoder" beside the executable, unless
    // a file was set (tests; an empty text restores the default). A change
    // ends the running process.
    void SetProgramFileName(const QString& fileName);
    QString ProgramFileName() const;

private:
    enum class TAnswer { Decoded, Failed, Refused, Broken };

    QString ProgramFileNameLocked() const;
    bool Start(const QString& libraryName);
    TAnswer Request(const QByteArray& path, int formatCode, QImage& image, TDecodeClock& clock);
    qint64 StopLocked();

    mutable std::mutex m_lock;
    pid_t m_pid = -1;
    int m_socket = -1;
    QString m_library;
    QString m_programOverride;
    int m_timeLimitMs = 0;
    qint64 m_peakKilobytes = 0;
    // Files that failed by a limit (FileIdentity in the .cpp).
    QSet<QByteArray> m_failedByLimit;
};

// The one decoder process of the program, used by LoadWithFreeImage.
TDecoderProcess& FreeImageDecoder();
