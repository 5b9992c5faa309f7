#include "platform/AppFolders.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

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

QString SettingsFolder()
{
    const QString program = ProgramFolder();
    if (::access(QFile::encodeName(program).constData(), W_OK) == 0)
        return program;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = base + QStringLiteral("/tavrimolex/");
    QDir().mkpath(folder);
    return folder;
}

void SetProgramFolderForTesting(const QString& folder)
{
    g_programFolderOverride = folder;
}

} // namespace AppFolders
