#include "platform/FolderFlush.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

bool FlushFolder(const QString &folderPath, QString *errorString)
{
#ifdef Q_OS_UNIX
    const QByteArray folder = QFile::encodeName(folderPath);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    const int err = errno;
    ::close(fd);
    if (rc != 0 && err != EINVAL && err != ENOTSUP && err != EROFS) {
        if (errorString)
            *errorString = QString::fromLocal8Bit(std::strerror(err));
        return false;
    }
#else
    Q_UNUSED(folderPath);
    Q_UNUSED(errorString);
#endif
    return true;
}
