#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

Opened OpenForReading(QFile &file, const QString &path, QString *reason)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) {
        if (reason)
            *reason = qt_error_string(errno);
        return Opened::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return Opened::NotRegular;
    // Something else may be put in its place meanwhile: the open itself
    // never waits, and what was opened is looked at once more.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (reason)
            *reason = qt_error_string(errno);
        return Opened::Failed;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Opened::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (reason)
            *reason = file.errorString();
        ::close(fd);
        return Opened::Failed;
    }
    return Opened::Yes;
}

} // namespace RegularFile
