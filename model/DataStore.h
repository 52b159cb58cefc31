#pragma once

#include "model/DataFile.h"

#include <QString>

// The data file on disk: loading, safe saving (a temporary file renamed over
// the old one, so a failed save leaves the previous file exactly as it was),
// and a backup of a damaged file before it is first overwritten. Nothing
// beside the file is ever deleted: a name like "Quillmark.dat.before" may be
// the user's own copy.
class CDataStore
{
public:
    explicit CDataStore(QString path);

    const QString &Path() const { return m_path; }
    QString BackupPath() const { return m_path + QStringLiteral(".bak"); }

    // Reads the file. A damaged file is copied to BackupPath() by the next
    // Save, before anything overwrites it.
    DataFile::LoadResult Load(CListCollection &lists);
    // Replaces the file as a whole, or leaves it exactly as it was and
    // returns false with ErrorString() saying why.
    bool Save(const CListCollection &lists);
    QString ErrorString() const { return m_error; }

private:
    bool BackUpDamagedFile();

    QString m_path;
    QString m_error;
    bool m_backupPending = false;
};
