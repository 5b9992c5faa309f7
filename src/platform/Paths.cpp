// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace Paths {

bool IsSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

int LastDelimiter(const QString& path, bool drive)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (IsSeparator(c) || (drive && c == u':'))
            return int(i);
    }
    return -1;
}

QString ExtractFileName(const QString& path)
{
    return path.mid(LastDelimiter(path) + 1);
}

QString ExtractFilePath(const QString& path)
{
    return path.left(LastDelimiter(path) + 1);
}

QString ExtractFileExt(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == u'.')
            return path.mid(i);
        if (IsSeparator(c) || c == u':')
            break;
    }
    return QString();
}

QString ChangeFileExt(const QString& path, const QString& ext)
{
    const QString old = ExtractFileExt(path);
    return path.left(path.size() - old.size()) + ext;
}

QString NameWithoutExtension(const QString& path)
{
    const QString name = ExtractFileName(path);
    return name.left(name.size() - ExtractFileExt(name).size());
}

bool HasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter() && path.at(0).unicode() < 128;
}

QString ExtractFileDrive(const QString& path)
{
    return HasDriveLetter(path) ? path.left(2) : QString();
}

QString IncludeTrailingSeparator(const QString& path)
{
    if (!path.isEmpty() && IsSeparator(path.back()))
        return path;
    const bool windows = path.contains(u'\\') && !path.contains(u'/');
    return path + (windows ? u'\\' : u'/');
}

QString ExcludeTrailingSeparator(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && IsSeparator(p.back()))
        p.chop(1);
    return p;
}

QString AbsoluteClean(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool SameFile(const QString& a, const QString& b)
{
    if (a == b || AbsoluteClean(a) == AbsoluteClean(b))
        return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace Paths
