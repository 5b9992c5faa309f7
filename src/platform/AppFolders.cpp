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
