#include "imaging/DecoderProcess.h"

#include "imaging/DecoderProtocol.h"
#include "imaging/PictureLimits.h"
#include "platform/AppFolders.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace DecoderProtocol;

qint64 NowMs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Waits until the socket is ready for events or the deadline passes.
bool WaitFor(int fd, short events, qint64 deadline)
{
    for (;;) {
        const qint64 left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd p { fd, events, 0 };
        const int n = ::poll(&p, 1, int(std::min<qint64>(left, 1000000)));
        if (n > 0)
            return (p.revents & events) != 0 || (p.revents & POLLHUP) != 0;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

bool SendAll(int fd, const char* data, size_t size, qint64 deadline)
{
    while (size > 0) {
        if (!WaitFor(fd, POLLOUT, deadline))
            return false;
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool ReceiveAll(int fd, char* data, size_t size, qint64 deadline)
{
    while (size > 0) {
        if (!WaitFor(fd, POLLIN, deadline))
            return false;
        const ssize_t n = ::recv(fd, data, size, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

TDecoderProcess::~TDecoderProcess()
{
    Stop();
}

void TDecoderProcess::SetTimeLimit(int milliseconds)
{
    std::lock_guard guard(m_lock);
    m_timeLimitMs = milliseconds > 0 ? milliseconds : DefaultTimeLimitMs;
}

int TDecoderProcess::TimeLimit() const
{
    std::lock_guard guard(m_lock);
    return m_timeLimitMs;
}

void TDecoderProcess::SetProgramFileName(const QString& fileName)
{
    std::lock_guard guard(m_lock);
    if (fileName != m_programOverride)
        StopLocked();
    m_programOverride = fileName;
}

QString TDecoderProcess::ProgramFileName() const
{
    std::lock_guard guard(m_lock);
    return ProgramFileNameLocked();
}

QString TDecoderProcess::ProgramFileNameLocked() const
{
    return m_programOverride.isEmpty() ? AppFolders::BesideProgram(QString::fromLatin1(ProgramName))
                                       : m_programOverride;
}

qint64 TDecoderProcess::Stop()
{
    std::lock_guard guard(m_lock);
    return StopLocked();
}

qint64 TDecoderProcess::StopLocked()
{
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    if (m_pid <= 0)
        return 0;
    // Killed, not asked: a process busy with a damaged file would not listen.
    ::kill(m_pid, SIGKILL);
    int status = 0;
    rusage usage {};
    while (::wait4(m_pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    m_pid = -1;
    m_peakKilobytes = std::max(m_peakKilobytes, qint64(usage.ru_maxrss));
    return qint64(usage.ru_maxrss);
}

qint64 TDecoderProcess::PeakMemory() const
{
    std::lock_guard guard(m_lock);
    return m_peakKilobytes;
}

bool TDecoderProcess::Start(const QString& libraryName)
{
    const QString program = ProgramFileNameLocked();
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    // The child's end must land on the agreed descriptor with close-on-exec
    // cleared, which duplicating onto itself would not do.
    if (ends[1] == SocketDescriptor) {
        const int moved = ::fcntl(ends[1], F_DUPFD_CLOEXEC, SocketDescriptor + 1);
        ::close(ends[1]);
        ends[1] = moved;
        if (moved < 0) {
            ::close(ends[0]);
            return false;
        }
    }

    const QByteArray programPath = QFile::encodeName(program);
    const QByteArray library = QFile::encodeName(libraryName);
    const QByteArray memory = QByteArray::number(MemoryLimit);
    const QByteArray pixels = QByteArray::number(PictureLimits::MaxPixels);
    const QByteArray parent = QByteArray::number(qint64(::getpid()));
    std::vector<char*> argv { const_cast<char*>(programPath.constData()), const_cast<char*>("--library"),
        const_cast<char*>(library.constData()), const_cast<char*>("--memory"),
        const_cast<char*>(memory.constData()), const_cast<char*>("--pixels"),
        const_cast<char*>(pixels.constData()), const_cast<char*>("--parent"),
        const_cast<char*>(parent.constData()), nullptr };

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], SocketDescriptor);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Whatever the program blocks or ignores, the decoder starts plain.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    const int spawned
        = ::posix_spawn(&pid, programPath.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        return false;
    }
    m_pid = pid;
    m_socket = ends[0];
    m_library = libraryName;
    return true;
}

bool TDecoderProcess::Request(const QByteArray& path, int formatCode, QImage& image, qint64 deadline)
{
    const DecoderProtocol::Request request { std::uint32_t(formatCode), std::uint32_t(path.size()) };
    QByteArray message(reinterpret_cast<const char*>(&request), sizeof request);
    message += path;
    if (!SendAll(m_socket, message.constData(), size_t(message.size()), deadline))
        return false;
    Reply reply {};
    if (!ReceiveAll(m_socket, reinterpret_cast<char*>(&reply), sizeof reply, deadline))
        return false;
    if (reply.status == Failed) {
        image = QImage();
        return true;
    }
    // The process is trusted no further than the sizes the program accepts.
    if (reply.status != Decoded || reply.width == 0 || reply.height == 0
        || reply.width > unsigned(PictureLimits::MaxSide) || reply.height > unsigned(PictureLimits::MaxSide)
        || qint64(reply.width) * reply.height > PictureLimits::MaxPixels)
        return false;
    QImage result(int(reply.width), int(reply.height), QImage::Format_RGB32);
    if (result.isNull() || result.bytesPerLine() != qsizetype(reply.width) * 4)
        return false;
    if (!ReceiveAll(m_socket, reinterpret_cast<char*>(result.bits()), size_t(result.sizeInBytes()), deadline))
        return false;
    image = result;
    return true;
}

bool TDecoderProcess::Decode(
    const QString& fileName, int formatCode, const QString& libraryName, QImage& image)
{
    image = QImage();
    const QByteArray path = QFile::encodeName(fileName);
    if (path.isEmpty() || path.size() > qsizetype(MaxPathLength) || path.contains('\0'))
        return false;
    std::lock_guard guard(m_lock);
    const qint64 deadline = NowMs() + m_timeLimitMs;
    // A process that ended since the last request (killed from outside) is
    // already reaped here, so its number is never signalled again.
    if (m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) != 0) {
        m_pid = -1;
        StopLocked();
    }
    if (m_pid > 0 && libraryName != m_library)
        StopLocked();
    // A file can damage the process without crashing it (FreeImage writing
    // past a buffer and still returning a picture), and the next file then
    // crashes it. So a reused process that fails by crashing gets the file
    // once more in a fresh process, within the same time limit; only a file
    // that fails in a fresh process is lost.
    for (;;) {
        const bool fresh = m_pid <= 0;
        if (fresh && !Start(libraryName))
            return false;
        if (Request(path, formatCode, image, deadline))
            return !image.isNull();
        // Crashed, over a limit, too slow or talking nonsense.
        image = QImage();
        StopLocked();
        if (fresh || NowMs() >= deadline)
            return false;
    }
}

TDecoderProcess& FreeImageDecoder()
{
    static TDecoderProcess process;
    return process;
}
