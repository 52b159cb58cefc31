#include "platform/ReplacingFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <utility>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary name says which computer made it: a folder may be shared or
// synced, and a run on another computer may be alive and writing.
QString ComputerMark()
{
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(host, QCryptographicHash::Sha256).toHex().left(8));
}

// "Quillmark.dat.quillmark-<computer>-<process>-"
QString OwnPrefix(const QString &fileName, qint64 pid)
{
    return QStringLiteral("%1.quillmark-%2-%3-").arg(fileName, ComputerMark(), QString::number(pid));
}

QByteArray TempName(const QString &fileName)
{
    return QFile::encodeName(
            CReplacingFile::TemporaryName(fileName, ::getpid(), QRandomGenerator::global()->generate()));
}

QString FinalPathOf(const QString &path, CReplacingFile::Links links)
{
    QString target = path;
    if (links == CReplacingFile::Links::Follow) {
        // To the end of a chain of links, where the file may not be yet.
        QFileInfo info(target);
        for (int hops = 0; info.isSymLink() && hops < 40; ++hops) {
            target = info.symLinkTarget();
            info.setFile(target);
        }
    }
    return QFileInfo(target).absoluteFilePath();
}

mode_t ModeOf(QFile::Permissions permissions)
{
    const std::pair<QFile::Permission, mode_t> bits[] = {
            {QFile::ReadOwner, S_IRUSR}, {QFile::WriteOwner, S_IWUSR}, {QFile::ReadGroup, S_IRGRP},
            {QFile::WriteGroup, S_IWGRP}, {QFile::ReadOther, S_IROTH}, {QFile::WriteOther, S_IWOTH}};
    mode_t mode = 0;
    for (const auto &[permission, bit] : bits) {
        if (permissions & permission)
            mode |= bit;
    }
    return mode;
}

} // namespace

CReplacingFile::CReplacingFile(const QString &path, Links links, QFile::Permissions newFileMode)
    : m_path(path)
    , m_links(links)
    , m_newFileMode(newFileMode)
{
}

CReplacingFile::~CReplacingFile()
{
    Cancel();
}

bool CReplacingFile::Fail(const QString &reason)
{
    m_error = reason;
    Cancel();
    return false;
}

bool CReplacingFile::Fail(int error)
{
    return Fail(qt_error_string(error));
}

bool CReplacingFile::Open(QIODevice::OpenMode mode)
{
    Cancel();
    m_error.clear();
    m_finalPath = FinalPathOf(m_path, m_links);
    const QFileInfo final(m_finalPath);
    m_finalName = QFile::encodeName(final.fileName());
    m_folder = ::open(QFile::encodeName(final.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return Fail(errno);
    struct stat old = {};
    const bool replacing = ::fstatat(m_folder, m_finalName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(old.st_mode);
    const mode_t newMode = ModeOf(m_newFileMode);

    m_fd = ::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, newMode);
    // The name it gets at the end is made through /proc.
    if (m_fd >= 0 && ::access(QByteArray("/proc/self/fd/" + QByteArray::number(m_fd)).constData(), F_OK) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_unnamed = m_fd >= 0;
    for (int attempt = 0; m_fd < 0 && attempt < 100; ++attempt) {
        m_tempName = TempName(final.fileName());
        m_fd = ::openat(m_folder, m_tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        newMode);
        if (m_fd < 0) {
            const int error = errno;
            m_tempName.clear();
            if (error != EEXIST)
                return Fail(error);
        }
    }
    if (m_fd < 0)
        return Fail(EEXIST);
    // A file replaced keeps its mode (a private one stays private).
    if (replacing && ::fchmod(m_fd, old.st_mode & 07777) != 0)
        return Fail(errno);
    if (!m_file.open(m_fd, mode, QFileDevice::DontCloseHandle))
        return Fail(m_file.errorString());
    return true;
}

bool CReplacingFile::Commit()
{
    if (m_fd < 0)
        return Fail(qt_error_string(EBADF));
    if (!m_file.flush())
        return Fail(m_file.errorString());
    m_file.close();
    // On disk before it takes the old file's place: a power cut must not
    // leave an empty file under the name.
    if (::fsync(m_fd) != 0)
        return Fail(errno);
    if (m_unnamed) {
        // A link cannot take an existing name: the file gets a name of its
        // own first, for the moment until the rename.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        for (int attempt = 0; m_tempName.isEmpty(); ++attempt) {
            m_tempName = TempName(QFileInfo(m_finalPath).fileName());
            if (::linkat(AT_FDCWD, self.constData(), m_folder, m_tempName.constData(), AT_SYMLINK_FOLLOW) == 0)
                break;
            const int error = errno;
            m_tempName.clear();
            if (error != EEXIST || attempt >= 100)
                return Fail(error);
        }
    }
    if (::renameat(m_folder, m_tempName.constData(), m_folder, m_finalName.constData()) != 0)
        return Fail(errno);
    m_tempName.clear();
    Cancel();
    return true;
}

void CReplacingFile::Cancel()
{
    m_file.close();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempName.isEmpty())
        ::unlinkat(m_folder, m_tempName.constData(), 0);
    m_tempName.clear();
    if (m_folder >= 0)
        ::close(m_folder);
    m_folder = -1;
    m_unnamed = false;
}

void CReplacingFile::RemoveLeftovers(const QString &path, Links links)
{
    const QFileInfo final(FinalPathOf(path, links));
    const QDir folder = final.absoluteDir();
    const QString computer = OwnPrefix(final.fileName(), 0).chopped(2); // up to "<computer>-"
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!name.startsWith(computer))
            continue;
        // "<process>-<random>", nothing else
        const QStringList rest = name.mid(computer.size()).split(u'-');
        bool isNumber = false;
        const qint64 pid = rest.value(0).toLongLong(&isNumber);
        bool isRandom = false;
        rest.value(1).toULongLong(&isRandom, 36);
        if (rest.size() != 2 || !isNumber || !isRandom || pid <= 0 || pid == ::getpid())
            continue;
        // Only once the run that made it is over, and only a file of this
        // user's own.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        struct stat st = {};
        if (::lstat(leftover.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        ::unlink(leftover.constData());
    }
}

QString CReplacingFile::TemporaryName(const QString &fileName, qint64 pid, quint32 serial)
{
    return OwnPrefix(fileName, pid) + QString::number(serial, 36);
}
