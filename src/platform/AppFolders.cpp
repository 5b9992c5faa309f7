#include "platform/AppFolders.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace AppFolders {

namespace {

    QString g_programFolderOverride;

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
    const QString beside = ProgramFolder() + name;
    if (QFileInfo::exists(beside))
        return beside;
    const QString binDir = qEnvironmentVariable("TAVRI_BIN_DIR");
    if (!binDir.isEmpty()) {
        const QString inBin = Paths::IncludeTrailingSeparator(binDir) + name;
        if (QFileInfo::exists(inBin))
            return inBin;
    }
    return beside;
}

void SetProgramFolderForTesting(const QString& folder)
{
    g_programFolderOverride = folder;
}

} // namespace AppFolders
