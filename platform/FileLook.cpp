#include "platform/FileLook.h"

bool FileLook::SameAs(const FileLook &other) const
{
    return valid && other.valid && device == other.device && inode == other.inode && size == other.size
            && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

#ifdef Q_OS_LINUX

#include <QFile>

#include <ctime>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace {

// Local file systems whose change time the kernel keeps on every write and
// rename. Network and user-space file systems are left out: their times
// come from elsewhere and may be cached.
bool KeepsChangeTimes(const struct statfs &fs)
{
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // XFS
    case 0x9123683E: // Btrfs
    case 0xF2F52010: // F2FS
    case 0x2FC12FC1: // ZFS
    case 0x01021994: // tmpfs
        return true;
    default:
        return false;
    }
}

qint64 Nanoseconds(const struct timespec &t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

FileLook FromStat(const struct stat &st)
{
    FileLook look;
    look.valid = true;
    look.device = st.st_dev;
    look.inode = st.st_ino;
    look.size = st.st_size;
    look.modifiedNs = Nanoseconds(st.st_mtim);
    look.changedNs = Nanoseconds(st.st_ctim);
    return look;
}

} // namespace

FileLook FileLook::OfOpenFile(int handle)
{
    struct stat st;
    struct statfs fs;
    if (handle < 0 || ::fstat(handle, &st) != 0)
        return {};
    FileLook look = FromStat(st);
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    // A write takes the clock of the last tick as its change time, cut to
    // the file system's resolution: a tenth of a second is far beyond a
    // tick, two seconds beyond a file system that keeps whole seconds.
    const qint64 margin = st.st_ctim.tv_nsec == 0 ? 2'000'000'000 : 100'000'000;
    look.settled = S_ISREG(st.st_mode) && ::fstatfs(handle, &fs) == 0 && KeepsChangeTimes(fs)
            && look.changedNs <= Nanoseconds(now) - margin;
    return look;
}

FileLook FileLook::OfPath(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return FromStat(st);
}

bool FileLook::CanSettle(const QString &path)
{
    struct statfs fs;
    return ::statfs(QFile::encodeName(path).constData(), &fs) == 0 && KeepsChangeTimes(fs);
}

#else

// Elsewhere no look settles: the file is always read.
FileLook FileLook::OfOpenFile(int)
{
    return {};
}

FileLook FileLook::OfPath(const QString &)
{
    return {};
}

bool FileLook::CanSettle(const QString &)
{
    return false;
}

#endif
