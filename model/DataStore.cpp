#include "model/DataStore.h"

#include "platform/FolderFlush.h"
#include "platform/RegularFile.h"
#include "platform/ReplacingFile.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

namespace {
constexpr QFileDevice::Permissions kOwnerGroupOther =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;

// A named pipe in the file's place would hold the read (or the write) until
// another program came, and a device such as /dev/zero never ends: only an
// ordinary file is read, kept or replaced.
QString NotAFileReason()
{
    return Tr::tr("it is no ordinary file (a folder, a device or a named pipe, for instance)");
}

// Opens the file for reading only when it is an ordinary file; false with
// the reason otherwise.
bool OpenRegular(QFile &file, const QString &path, QString *reason)
{
    switch (RegularFile::OpenForReading(file, path, reason)) {
    case RegularFile::Opened::Yes:
        return true;
    case RegularFile::Opened::NotRegular:
        *reason = NotAFileReason();
        return false;
    case RegularFile::Opened::Failed:
        break;
    }
    return false;
}

// Whether something other than an ordinary file is there (through a link,
// the thing it points to). Looked at without opening it, so that nothing
// waits.
bool SomethingElseThere(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}
} // namespace

CDataStore::CDataStore(QString path)
    : m_path(std::move(path))
{
}

DataFile::LoadResult CDataStore::Load(CListCollection &lists)
{
    // What saves of runs killed on this computer left beside the file.
    CReplacingFile::RemoveLeftovers(m_path, CReplacingFile::Links::Follow);
    const DataFile::LoadResult result = Peek(lists, m_stamp);
    // Not one of its lists is known when the file could not be read:
    // replacing it, even after a backup, would put an empty collection in
    // the user's place.
    m_unreadable = result.status == DataFile::LoadStatus::Damaged && !m_stamp.IsReadable();
    m_backupPending = result.status == DataFile::LoadStatus::Damaged && !m_unreadable;
    return result;
}

DataFile::LoadResult CDataStore::Peek(CListCollection &lists, CFileStamp &stamp) const
{
    DataFile::LoadResult result;
    // A link whose file a sync tool has taken away for a moment leads to
    // nothing, as a missing file does.
    QFile file;
    if (!QFileInfo::exists(m_path)) {
        stamp = CFileStamp();
        result.status = DataFile::LoadStatus::Missing;
        return result;
    }
    // Stamped as it is read, so that the lists and the stamp come from the
    // same bytes even while another program writes the file, and no copy of
    // the whole file is held. The bytes after a damage count all the same.
    const CListCollection before = lists;
    bool readWhole = false;
    QString reason;
    if (OpenRegular(file, m_path, &reason)) {
        CStampHasher hasher(FileLook::OfOpenFile(file.handle()));
        result = DataFile::Read(file, lists, &hasher);
        // A read error stops the reader, and is then the file's last error.
        readWhole = file.error() == QFileDevice::NoError && hasher.AddRest(file);
        stamp = hasher.Stamp();
    }
    if (!readWhole) {
        // Not read to its end: nothing of it is taken.
        lists = before;
        stamp = CFileStamp::Unreadable();
        result.status = DataFile::LoadStatus::Damaged;
        result.errorString = Str::FileReadError(file.isOpen() ? file.errorString() : reason);
    }
    return result;
}

void CDataStore::SawAgain(const CFileStamp &stamp)
{
    if (stamp.SameBytesAs(m_stamp))
        m_stamp = stamp;
}

void CDataStore::TookIn(const CFileStamp &stamp)
{
    m_stamp = stamp;
    m_backupPending = false;
    m_unreadable = false;
}

QString CDataStore::DamageMessage(const DataFile::LoadResult &result) const
{
    if (result.status != DataFile::LoadStatus::Damaged)
        return QString();
    if (m_unreadable) {
        return Tr::tr("Your lists could not be read from %1 (%2). The file is left as it is: "
                      "Quillmark will not save over it. When you quit, you can save the lists "
                      "shown here to another file.")
                .arg(m_path, result.errorString);
    }
    return Tr::tr("Your lists could not be read completely from %1 (%2). "
                  "The lists read before the damage are shown. The file is kept "
                  "as %1.bak before it is next saved.")
            .arg(m_path, result.errorString);
}

bool CDataStore::BackUpDamagedFile()
{
    QFile source;
    if (!QFileInfo::exists(m_path))
        return true; // gone meanwhile: nothing left to keep
    QSaveFile backup(BackupPath());
    backup.setDirectWriteFallback(false);
    const auto failed = [this](const QString &reason) {
        m_error = Tr::tr("the damaged file could not be kept as %1: %2").arg(BackupPath(), reason);
        return false;
    };
    QString why;
    if (!OpenRegular(source, m_path, &why))
        return failed(why);
    if (!backup.open(QIODevice::WriteOnly))
        return failed(backup.errorString());
    // As private as the lists it keeps, whatever an older .bak was.
    backup.setPermissions(source.permissions() & kOwnerGroupOther);
    for (;;) {
        const QByteArray chunk = source.read(64 * 1024);
        if (chunk.isEmpty()) {
            if (source.error() != QFileDevice::NoError)
                return failed(source.errorString());
            break;
        }
        if (backup.write(chunk) != chunk.size())
            break; // the commit below reports it
    }
    if (!backup.flush() || !backup.commit())
        return failed(backup.errorString());
    return true;
}

bool CDataStore::Save(const CListCollection &lists)
{
    m_error.clear();
    if (m_unreadable) {
        m_error = Tr::tr("the file could not be read when Quillmark started, so it is not replaced");
        return false;
    }
    if (SomethingElseThere(m_path)) {
        m_error = NotAFileReason();
        return false;
    }
    if (m_backupPending && !BackUpDamagedFile())
        return false;

    // Never a direct write: the old file stays whole until the new one is.
    // Through a link, the file it points to is replaced and the link kept.
    // A new file of lists is the user's alone; an existing one keeps its mode.
    CReplacingFile file(m_path, CReplacingFile::Links::Follow, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!file.Open()) {
        m_error = file.ErrorString();
        return false;
    }
    // Stamped as it is written: the stamp is of what this store wrote, even
    // when another program writes the file right after.
    CStampHasher hasher;
    QString error;
    if (!DataFile::Write(file.Device(), lists, &error, &hasher)) {
        m_error = error.isEmpty() ? file.Device().errorString() : error;
        file.Cancel();
        return false;
    }
    if (!file.Commit()) {
        m_error = file.ErrorString();
        return false;
    }
    m_stamp = hasher.Stamp();
    m_backupPending = false;
    // The new file is in place; only its durability is in doubt.
    QString why;
    // Through a link the rename is in the folder of the file it points to,
    // and that folder's entry is what must last.
    if (!FlushFolder(QFileInfo(file.FinalPath()).absolutePath(), &why)) {
        m_error = Tr::tr("the new file was written but its folder could not be flushed to disk: %1").arg(why);
        return false;
    }
    return true;
}
