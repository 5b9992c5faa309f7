// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/photos/PhotoRenamePlanner.h"

#include "platform/Paths.h"
#include "platform/TextUtil.h"

#include <QFile>

#include <sys/stat.h>

TPhotoRenamePlanner::TPhotoRenamePlanner(
    const QString& newName, const QString& startNr, int action, TTaken taken)
    : m_newName(newName)
    , m_action(
          action == RA_AddAtTheEnd || action == RA_InsertAtTheBeginning ? TRenameAction(action) : RA_Replace)
    , m_counter(StartNumber(startNr))
    , m_taken(std::move(taken))
{
}

QString TPhotoRenamePlanner::CutExtension(const QString& typed)
{
    const qsizetype dot = typed.lastIndexOf(u'.');
    return dot < 0 ? typed : typed.left(dot);
}

QString TPhotoRenamePlanner::NameToUse(const QString& typed, const QString& offered)
{
    return typed == offered ? typed : CutExtension(typed);
}

qint64 TPhotoRenamePlanner::StartNumber(const QString& typed)
{
    bool ok = false;
    const int number = Text::Trim(typed).toInt(&ok);
    // A negative start would write names such as "Holiday_0000-5".
    return ok && number >= 1 ? number : 1;
}

bool TPhotoRenamePlanner::IsUsableName(const QString& name, int action, const QString& prompt)
{
    const QString trimmed = Text::Trim(name);
    if (trimmed.isEmpty() || trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return false;
    if (action != RA_AddAtTheEnd && name.startsWith(u'.'))
        return false;
    if (name.contains(u'/') || name.contains(u'\\'))
        return false;
    // A line break or tab in a file name garbles every list that shows it,
    // and other control characters cannot be seen at all.
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    }
    return name != CutExtension(prompt) && name != prompt;
}

bool TPhotoRenamePlanner::FileNameTaken(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString TPhotoRenamePlanner::TargetFor(const QString& oldPath)
{
    const QString folder = Paths::ExtractFilePath(oldPath);
    const QString ext = Paths::ExtractFileExt(oldPath);
    const QString stem = Paths::NameWithoutExtension(oldPath);
    if (m_action == RA_Replace) {
        QString target;
        do {
            target = folder + m_newName + u'_' + QString::number(m_counter).rightJustified(6, u'0') + ext;
            ++m_counter;
        } while (m_taken && m_taken(target));
        return target;
    }
    const QString target
        = m_action == RA_AddAtTheEnd ? folder + stem + m_newName + ext : folder + m_newName + stem + ext;
    return m_taken && m_taken(target) ? QString() : target;
}
