#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFolder {

namespace {

bool Fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

} // namespace

bool IsPrivate(const QString &path)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
            && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool Make(const QString &path, QString *reason)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    // From the top down, each missing folder made for the user alone, as
    // the desktop's own folders are.
    const QStringList parts = clean.split(u'/', Qt::SkipEmptyParts);
    QString at;
    for (const QString &part : parts) {
        at += u'/' + part;
        if (::mkdir(QFile::encodeName(at).constData(), 0700) != 0 && errno != EEXIST)
            return Fail(reason, at + QStringLiteral(": ") + qt_error_string(errno));
    }
    const QByteArray name = QFile::encodeName(clean);
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0)
        return Fail(reason, clean + QStringLiteral(": ") + qt_error_string(errno));
    // Said in the system's words: a link or file is no folder, another
    // user's folder is not to be used.
    if (!S_ISDIR(st.st_mode))
        return Fail(reason, clean + QStringLiteral(": ") + qt_error_string(ENOTDIR));
    if (st.st_uid != ::geteuid())
        return Fail(reason, clean + QStringLiteral(": ") + qt_error_string(EPERM));
    if ((st.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0)
        return Fail(reason, clean + QStringLiteral(": ") + qt_error_string(errno));
    return true;
}

} // namespace PrivateFolder
