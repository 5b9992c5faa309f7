#include "model/SafeFile.h"

#include "model/StreamError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAllBytes(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

void WriteFileAtomically(const QString& fileName, const QByteArray& data, TLinkPolicy links)
{
    QString target = fileName;
    if (links == TLinkPolicy::Follow) {
        const QFileInfo info(fileName);
        if (info.isSymLink() && info.exists())
            target = info.canonicalFilePath();
    }
    const QByteArray targetPath = QFile::encodeName(target);

    // The new file keeps the mode of the one it replaces.
    mode_t mode = 0;
    struct stat st { };
    if (::lstat(targetPath.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    QByteArray tempPath = targetPath + ".XXXXXX";
    const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
    if (fd < 0)
        throw EStreamError::CreateError(fileName, SystemErrorText(errno));
    (void)::fchmod(fd, mode);
    bool ok = WriteAllBytes(fd, data.constData(), data.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(tempPath.constData(), targetPath.constData()) == 0;
    if (!ok) {
        ::unlink(tempPath.constData());
        throw EStreamError::WriteError();
    }
}

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool ReadRegularFile(const QString& fileName, qint64 maxSize, QByteArray& data, int* error)
{
    data.clear();
    const auto fail = [error](int code) {
        if (error)
            *error = code;
        return false;
    };
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { fd };
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (st.st_size > maxSize)
        return fail(EFBIG);
    data.resize(qsizetype(st.st_size));
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
