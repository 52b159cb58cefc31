#include "model/DataStore.h"

#include "platform/FolderFlush.h"
#include "res/Strings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CDataStore::CDataStore(QString path)
    : m_path(std::move(path))
{
}

DataFile::LoadResult CDataStore::Load(CListCollection &lists)
{
    m_backupPending = false;
    m_unreadable = false;

    DataFile::LoadResult result;
    QFile file(m_path);
    if (!file.exists()) {
        result.status = DataFile::LoadStatus::Missing;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        // Not one of its lists is known here: replacing the file, even after
        // a backup, would put an empty collection in the user's place.
        result.status = DataFile::LoadStatus::Damaged;
        result.errorString = Str::FileReadError(file.errorString());
        m_unreadable = true;
        return result;
    }
    result = DataFile::Read(file, lists);
    m_backupPending = result.status == DataFile::LoadStatus::Damaged;
    return result;
}

QString CDataStore::DamageMessage(const DataFile::LoadResult &result) const
{
    if (result.status != DataFile::LoadStatus::Damaged)
        return QString();
    if (m_unreadable)
        return Str::DataFileUnreadable(m_path, result.errorString);
    return Str::DataFileDamaged(m_path, result.errorString);
}

bool CDataStore::BackUpDamagedFile()
{
    QFile source(m_path);
    if (!source.exists())
        return true; // gone meanwhile: nothing left to keep
    QSaveFile backup(BackupPath());
    backup.setDirectWriteFallback(false);
    if (!source.open(QIODevice::ReadOnly)) {
        m_error = Str::BackupFailed(BackupPath(), source.errorString());
        return false;
    }
    if (!backup.open(QIODevice::WriteOnly)) {
        m_error = Str::BackupFailed(BackupPath(), backup.errorString());
        return false;
    }
    for (;;) {
        const QByteArray chunk = source.read(64 * 1024);
        if (chunk.isEmpty()) {
            if (source.error() != QFileDevice::NoError) {
                m_error = Str::BackupFailed(BackupPath(), source.errorString());
                return false;
            }
            break;
        }
        if (backup.write(chunk) != chunk.size())
            break; // the commit below reports it
    }
    if (!backup.flush() || !backup.commit()) {
        m_error = Str::BackupFailed(BackupPath(), backup.errorString());
        return false;
    }
    return true;
}

bool CDataStore::Save(const CListCollection &lists)
{
    m_error.clear();
    if (m_unreadable) {
        m_error = Str::UnreadableNotReplaced();
        return false;
    }
    if (m_backupPending && !BackUpDamagedFile())
        return false;

    // Never a direct write: the old file stays whole until the new one is.
    QSaveFile file(m_path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    QString error;
    if (!DataFile::Write(file, lists, &error)) {
        file.cancelWriting();
        m_error = error;
        return false;
    }
    // QSaveFile::commit() does not check the flush of its last buffered
    // bytes: a disk that refuses them would leave a cut-off file in place.
    if (!file.flush()) {
        m_error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_backupPending = false;
    // The new file is in place; only its durability is in doubt.
    QString why;
    if (!FlushFolder(QFileInfo(m_path).absolutePath(), &why)) {
        m_error = Str::FolderNotFlushed(why);
        return false;
    }
    return true;
}
