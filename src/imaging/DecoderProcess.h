#pragma once
// The decoder process: the small program beside the executable in which
// FreeImage decodes pictures for the chain. It runs with a memory limit and
// each request with a time limit; when it crashes, exceeds a limit or does
// not answer, the file in hand counts as undecodable and the next request
// starts a fresh process. A healthy process serves one request after another.
#include <QString>

#include <mutex>
#include <sys/types.h>

class QImage;

class TDecoderProcess {
public:
    // The process's address space, FreeImage's pictures and its own code
    // included: a 100-megapixel photo fits, with the program's picture of it
    // beside the total stays far from what would exhaust a desktop.
    static constexpr qint64 MemoryLimit = qint64(1) << 30;
    // A real photo decodes within a few seconds even when large.
    static constexpr int DefaultTimeLimitMs = 10000;

    TDecoderProcess() = default;
    ~TDecoderProcess();
    TDecoderProcess(const TDecoderProcess&) = delete;
    TDecoderProcess& operator=(const TDecoderProcess&) = delete;

    // Decodes fileName with FreeImage's format formatCode, the library named
    // libraryName loaded by the process (a process that loaded another name
    // is replaced first). The image is cleared first; false, with the image
    // null, when the file could not be decoded for any reason.
    bool Decode(const QString& fileName, int formatCode, const QString& libraryName, QImage& image);

    // Ends the process now, if one runs. Returns its peak memory in
    // kilobytes, 0 when none ran.
    qint64 Stop();
    // The largest peak memory, in kilobytes, of the processes ended so far.
    qint64 PeakMemory() const;

    // The time one request may take, in milliseconds; 0 or less restores
    // the default.
    void SetTimeLimit(int milliseconds);
    int TimeLimit() const;

    // The decoder program: "tavrimolex-decoder" beside the executable, unless
    // a file was set (tests; an empty text restores the default). A change
    // ends the running process.
    void SetProgramFileName(const QString& fileName);
    QString ProgramFileName() const;

private:
    QString ProgramFileNameLocked() const;
    bool Start(const QString& libraryName);
    bool Request(const QByteArray& path, int formatCode, QImage& image, qint64 deadline);
    qint64 StopLocked();

    mutable std::mutex m_lock;
    pid_t m_pid = -1;
    int m_socket = -1;
    QString m_library;
    QString m_programOverride;
    int m_timeLimitMs = DefaultTimeLimitMs;
    qint64 m_peakKilobytes = 0;
};

// The one decoder process of the program, used by LoadWithFreeImage.
TDecoderProcess& FreeImageDecoder();
