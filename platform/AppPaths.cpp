#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

QString AppDataFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.local/share/Fernwise/Quillmark");
    QDir().mkpath(dir);
    return dir;
}

QString DataFilePath()
{
    const QString fileName = QStringLiteral("Quillmark.dat");
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty()) {
        const QString portable = QDir(exeDir).filePath(fileName);
        if (QFileInfo(portable).isFile())
            return portable;
    }
    return QDir(AppDataFolder()).filePath(fileName);
}

QString DocumentsFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A damaged entry in user-dirs.dirs (a relative path, a quote left
    // open) names no folder: it would put the export under whatever
    // folder the program was started in.
    if (dir.isEmpty() || QDir::isRelativePath(dir))
        dir = QDir::homePath() + QStringLiteral("/Documents");
    QDir().mkpath(dir);
    return dir;
}

QStringList RescueFolders()
{
    const QString ours = QStringLiteral("/Fernwise/Quillmark");
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative paths in the variable are invalid and to be ignored.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    QStringList folders{QDir::cleanPath(state + ours)};
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        folders.append(cache);
    return folders;
}

} // namespace AppPaths
