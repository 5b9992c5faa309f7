#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TAtomicFile::TAtomicFile(const QString& fileName, TLinkPolicy links, bool durable)
    : m_fileName(fileName)
    , m_links(links)
    , m_durable(durable)
{
}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

bool TAtomicFile::Open()
{
    Discard();
    m_error = 0;
    QString target = m_fileName;
    if (m_links == TLinkPolicy::Follow) {
        const QFileInfo info(m_fileName);
        if (info.isSymLink() && info.exists())
            target = info.canonicalFilePath();
    }
    const QByteArray targetPath = QFile::encodeName(target);
    if (targetPath.isEmpty()) {
        m_error = ENOENT;
        return false;
    }

    // The new file keeps the mode of the one it replaces; a file the user made
    // read-only is not replaced at all.
    mode_t mode = 0;
    struct stat st { };
    if (::lstat(targetPath.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        if (::access(targetPath.constData(), W_OK) != 0) {
            m_error = errno;
            return false;
        }
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    QByteArray tempPath = targetPath + ".XXXXXX";
    m_fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        return false;
    }
    (void)::fchmod(m_fd, mode);
    m_tempPath = tempPath;
    return true;
}

bool TAtomicFile::Write(const QByteArray& data)
{
    if (m_fd < 0) {
        if (!m_error)
            m_error = EBADF;
        return false;
    }
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return false;
        }
        if (n == 0) {
            m_error = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool TAtomicFile::Commit()
{
    if (m_fd < 0 || m_error) {
        if (!m_error)
            m_error = EBADF;
        Discard();
        return false;
    }
    bool ok = !m_durable || ::fsync(m_fd) == 0;
    if (!ok)
        m_error = errno;
    if (::close(m_fd) != 0 && ok) {
        m_error = errno;
        ok = false;
    }
    m_fd = -1;
    if (ok) {
        QString target = m_fileName;
        if (m_links == TLinkPolicy::Follow) {
            const QFileInfo info(m_fileName);
            if (info.isSymLink() && info.exists())
                target = info.canonicalFilePath();
        }
        // rename replaces a symbolic link at the target itself, never its target.
        if (::rename(m_tempPath.constData(), QFile::encodeName(target).constData()) != 0) {
            m_error = errno;
            ok = false;
        }
    }
    if (!ok) {
        ::unlink(m_tempPath.constData());
    }
    m_tempPath.clear();
    return ok;
}

void TAtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.isEmpty()) {
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
    }
}

QString TAtomicFile::ErrorText() const
{
    return SystemErrorText(m_error);
}

bool WriteFileAtomically(
    const QString& fileName, const QByteArray& data, TLinkPolicy links, bool durable, int* error)
{
    TAtomicFile file(fileName, links, durable);
    const bool ok = file.Open() && file.Write(data) && file.Commit();
    if (!ok && error)
        *error = file.Error();
    return ok;
}

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

int OpenRegularFile(const QString& fileName, qint64* size, int* error)
{
    const auto fail = [error](int code) {
        if (error)
            *error = code;
        return -1;
    };
    const QByteArray path = QFile::encodeName(fileName);
    // Non-blocking only for the open: opening a FIFO would wait for a writer.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return fail(code);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (size)
        *size = qint64(st.st_size);
    return fd;
}

bool ReadRegularFile(const QString& fileName, qint64 maxSize, QByteArray& data, int* error)
{
    data.clear();
    const auto fail = [error](int code) {
        if (error)
            *error = code;
        return false;
    };
    qint64 size = 0;
    const int fd = OpenRegularFile(fileName, &size, error);
    if (fd < 0)
        return false;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { fd };
    if (size > maxSize)
        return fail(EFBIG);
    data.resize(qsizetype(size));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            data.clear();
            return fail(EIO);
        }
        if (n == 0)
            break;
        done += n;
    }
    data.truncate(done);
    return true;
}
