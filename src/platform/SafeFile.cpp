// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/SafeFile.h"

#include "platform/NativePath.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary file beside its target carries this mark and six random
// letters, so that a later save can tell a leftover of its own from a file
// of the user's that merely begins with the same name.
constexpr char TemporaryMark[] = ".tavri-";
constexpr int RandomLength = 6;
constexpr char RandomLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// The file a write replaces: with Follow, the one a symbolic link leads to.
QString ResolvedTarget(const QString& fileName, TLinkPolicy links)
{
    if (links == TLinkPolicy::Follow) {
        const QFileInfo info(fileName);
        if (info.isSymLink() && info.exists())
            return info.canonicalFilePath();
    }
    return fileName;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The beginnings of a temporary name, marked first; a target whose name is
// too long to carry the mark still gets a temporary file.
std::array<QByteArray, 2> TemporaryPrefixes(const QByteArray& target)
{
    return { target + TemporaryMark, target + '.' };
}

bool IsMarkedTemporary(const QByteArray& name, const QByteArray& prefix)
{
    if (name.size() != prefix.size() + RandomLength || !name.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        const char c = name.at(i);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

bool UnnamedFilesUsable()
{
    // An unnamed file gets its name through its entry in /proc.
    static const bool usable = ::access("/proc/self/fd", X_OK) == 0;
    return usable;
}

} // namespace

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
    QByteArray target;
    if (!NativePath(ResolvedTarget(m_fileName, m_links), target, &m_error))
        return false;

    // The new file keeps the mode of the one it replaces; a file the user made
    // read-only is not replaced at all.
    mode_t mode = 0;
    struct stat st { };
    if (::lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        if (::access(target.constData(), W_OK) != 0) {
            m_error = errno;
            return false;
        }
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    m_target = target;

    // An unnamed file goes with the process that made it: a write killed
    // half-way leaves nothing behind.
    if (UnnamedFilesUsable()) {
        m_fd = ::open(FolderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            (void)::fchmod(m_fd, mode);
            return true;
        }
    }
    // File systems without unnamed files (FAT, network shares) get a named one.
    for (const QByteArray& prefix : TemporaryPrefixes(target)) {
        QByteArray tempPath = prefix + QByteArray(RandomLength, 'X');
        m_fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
        if (m_fd >= 0) {
            (void)::fchmod(m_fd, mode);
            m_tempPath = tempPath;
            return true;
        }
        m_error = errno;
        if (m_error != ENAMETOOLONG)
            break;
    }
    return false;
}

bool TAtomicFile::LinkUnnamed()
{
    const QByteArray self = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(m_fd);
    for (const QByteArray& prefix : TemporaryPrefixes(m_target)) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray tempPath = prefix;
            for (int i = 0; i < RandomLength; ++i)
                tempPath
                    += RandomLetters[QRandomGenerator::global()->bounded(int(sizeof(RandomLetters) - 1))];
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, tempPath.constData(), AT_SYMLINK_FOLLOW)
                == 0) {
                m_tempPath = tempPath;
                return true;
            }
            m_error = errno;
            if (m_error != EEXIST)
                break;
        }
        if (m_error != ENAMETOOLONG)
            return false;
    }
    return false;
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
    // An unnamed file is given its temporary name before it is closed, which
    // would end it.
    if (ok && m_tempPath.isEmpty())
        ok = LinkUnnamed();
    if (::close(m_fd) != 0 && ok) {
        m_error = errno;
        ok = false;
    }
    m_fd = -1;
    // rename replaces a symbolic link at the target itself, never its target.
    if (ok && ::rename(m_tempPath.constData(), m_target.constData()) != 0) {
        m_error = errno;
        ok = false;
    }
    if (!ok && !m_tempPath.isEmpty())
        ::unlink(m_tempPath.constData());
    m_tempPath.clear();
    // The new name lives in the folder: until the folder reaches the disk, a
    // power cut may bring back the old file, or none.
    if (ok && m_durable)
        ok = SyncFolder();
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

bool TAtomicFile::SyncFolder()
{
    // A folder the user may write in but not read cannot be opened to flush
    // it; the file is in place all the same.
    const int fd = ::open(FolderOf(m_target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    // File systems that cannot flush a folder say so with EINVAL; their
    // renames are as safe as they can make them.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    if (!ok)
        m_error = errno;
    ::close(fd);
    return ok;
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
    QByteArray path;
    int refused = 0;
    if (!NativePath(fileName, path, &refused))
        return fail(refused);
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

void RemoveStaleTemporaries(const QString& fileName, TLinkPolicy links)
{
    QByteArray target;
    if (!NativePath(ResolvedTarget(fileName, links), target))
        return;
    const QByteArray prefix = target.mid(target.lastIndexOf('/') + 1) + TemporaryMark;
    const int fd = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    const uid_t user = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsMarkedTemporary(QByteArray(entry->d_name), prefix))
            continue;
        // Only a plain file of this user is a leftover of a write: a link of
        // that name is removed neither through nor as itself.
        struct stat st { };
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == user)
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

QString TemporaryNameTarget(const QString& name)
{
    const qsizetype markAt = name.size() - RandomLength - qsizetype(sizeof(TemporaryMark) - 1);
    if (markAt <= 0
        || QStringView(name).mid(markAt, sizeof(TemporaryMark) - 1) != QLatin1String(TemporaryMark))
        return QString();
    for (qsizetype i = name.size() - RandomLength; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return QString();
    }
    return name.left(markAt);
}

bool FileNameUsable(const QString& fileName, int* error)
{
    const auto fail = [error](int code) {
        if (error)
            *error = code;
        return false;
    };
    if (error)
        *error = 0;
    QByteArray path;
    int code = 0;
    if (!NativePath(fileName, path, &code))
        return fail(code);
    struct stat st { };
    if (::lstat(path.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        // What has the name now is replaced in its folder, never opened: a
        // link, or a second name of another file, must not be written through.
        return ::access(FolderOf(path).constData(), W_OK | X_OK) == 0 || fail(errno);
    }
    if (errno != ENOENT)
        return fail(errno);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(errno);
    ::close(fd);
    ::unlink(path.constData());
    return true;
}
