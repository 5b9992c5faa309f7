// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/AppFolders.h"

#include "InstallLayout.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace AppFolders {

namespace {

    QString g_programFolderOverride;

    // The first of beside, installed and further that exists. When none does,
    // where the file belongs: the installed tree's folder when the program runs
    // from one (that folder exists), else beside the executable.
    QString FirstPresent(const QString& beside, const QString& installed, const QString& further = {})
    {
        for (const QString& path : { beside, installed, further }) {
            if (!path.isEmpty() && QFileInfo::exists(path))
                return path;
        }
        return QFileInfo(installed).absoluteDir().exists() ? installed : beside;
    }

    QString BelowProgram(const char* relativeFolder, const QString& name)
    {
        return QDir::cleanPath(ProgramFolder() + QLatin1String(relativeFolder) + u'/' + name);
    }

} // namespace

QString ProgramFolder()
{
    if (!g_programFolderOverride.isEmpty())
        return Paths::IncludeTrailingSeparator(g_programFolderOverride);
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    return Paths::IncludeTrailingSeparator(dir);
}

QString SettingsFileName()
{
    return QStringLiteral("tavrimolex.Ini");
}

QString SettingsFolder()
{
    const QString program = ProgramFolder();
    if (QFileInfo(program + SettingsFileName()).isFile())
        return program;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = Paths::IncludeTrailingSeparator(base) + QStringLiteral("tavrimolex/");
    QDir().mkpath(folder);
    return folder;
}

QString BesideProgram(const QString& name)
{
    const QString binDir = qEnvironmentVariable("TAVRI_BIN_DIR");
    return FirstPresent(ProgramFolder() + name, BelowProgram(TAVRI_PRIVATE_FOLDER, name),
        binDir.isEmpty() ? QString() : Paths::IncludeTrailingSeparator(binDir) + name);
}

QString DataFile(const QString& name)
{
    return FirstPresent(ProgramFolder() + name, BelowProgram(TAVRI_DATA_FOLDER, name));
}

void SetProgramFolderForTesting(const QString& folder)
{
    g_programFolderOverride = folder;
}

} // namespace AppFolders
