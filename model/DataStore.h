#pragma once

#include "model/DataFile.h"
#include "model/FileStamp.h"

#include <QString>

// The data file on disk: loading, safe saving (a new file renamed over the
// old one, so a failed save leaves the previous file exactly as it was, and
// a killed one leaves nothing the next Load does not clear away),
// and a backup of a damaged file before it is first overwritten. A file that
// is there but could not be read is never replaced, and nothing beside the
// file is ever deleted: a name like "Quillmark.dat.before" may be the user's
// own copy.
class CDataStore
{
public:
    explicit CDataStore(QString path);

    const QString &Path() const { return m_path; }
    QString BackupPath() const { return m_path + QStringLiteral(".bak"); }

    // Reads the file. A damaged file is copied to BackupPath() by the next
    // Save, before anything overwrites it; a file that could not be opened
    // is damaged too, and every Save refuses to replace it.
    DataFile::LoadResult Load(CListCollection &lists);
    // Reads the file as it is now without taking it for the file last read:
    // `stamp` is of the very bytes the lists come from.
    DataFile::LoadResult Peek(CListCollection &lists, CFileStamp &stamp) const;
    // A file that Peek read completely is now the file last read.
    void TookIn(const CFileStamp &stamp);
    // The file as this store last read (Load, TookIn) or wrote it.
    const CFileStamp &Stamp() const { return m_stamp; }
    // The file, stamped again, holds the same bytes: its newer look is kept,
    // so that the next look at the file may tell without reading it.
    void SawAgain(const CFileStamp &stamp);
    // What the user is told about a load that was not complete: the file
    // kept as .bak, or left alone because it could not be read.
    QString DamageMessage(const DataFile::LoadResult &result) const;
    // Replaces the file as a whole, or leaves it exactly as it was and
    // returns false with ErrorString() saying why.
    bool Save(const CListCollection &lists);
    QString ErrorString() const { return m_error; }

private:
    bool BackUpDamagedFile();

    QString m_path;
    QString m_error;
    CFileStamp m_stamp;
    bool m_backupPending = false;
    bool m_unreadable = false;
};
