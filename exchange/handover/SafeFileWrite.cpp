#include "exchange/handover/SafeFileWrite.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(QString *whyNot, const QString &what, int error)
{
    if (whyNot)
        *whyNot = what + QStringLiteral(": ") + ErrnoText(error);
    return false;
}

bool WriteAll(int fd, const QByteArray &bytes, int &error)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Makes the rename itself durable; not every file system can, so a failure
// here does not undo a file that is already in place.
void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileSafely(const QString &folder, const QString &fileName, const QByteArray &bytes,
                     QString *whyNot)
{
    const QDir dir(folder);
    const QString finalPath = dir.filePath(fileName);
    const QString tempPath = dir.filePath(QLatin1Char('.') + fileName + QStringLiteral(".tmp"));
    const QByteArray tempName = QFile::encodeName(tempPath);

    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(whyNot, tempPath, errno);

    int error = 0;
    QString failedPath = tempPath;
    bool ok = WriteAll(fd, bytes, error);
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(tempName.constData(), QFile::encodeName(finalPath).constData()) != 0) {
        error = errno;
        ok = false;
        failedPath = finalPath;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return Fail(whyNot, failedPath, error);
    }
    SyncFolder(QFile::encodeName(folder));
    return true;
}
