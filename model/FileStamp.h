#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// What the data file on disk was when this program last read or wrote it:
// whether it was there, its size and a hash of its bytes. Taken again before
// a save and when the file watcher fires, it tells whether another program
// (a sync tool bringing another computer's lists) has written the file
// since: the save must then take the newer lists in first.
//
// The modification time is left out on purpose: it cannot decide either way.
// Sync tools give a file the time it had on the other computer, some file
// systems keep it to two seconds, and a file written again with the same
// bytes holds nothing new.
class CFileStamp
{
public:
    // No file.
    CFileStamp() = default;

    // The file as it is now, read whole; `bytes`, when given, receives what
    // was read, so that the lists can be taken from exactly the bytes that
    // were stamped. A file that is there but cannot be read gives an
    // unreadable stamp, which matches no other.
    static CFileStamp OfFile(const QString &path, QByteArray *bytes = nullptr);
    // The bytes this program has just read or written. The stamp to keep
    // after a save: taking the file again could stamp bytes that another
    // program put there in between, which would then be overwritten unseen.
    static CFileStamp OfBytes(const QByteArray &bytes);

    bool Exists() const { return m_exists; }
    bool IsReadable() const { return m_readable; }
    qint64 Size() const { return m_size; }

    // Whether both stamps are of the same bytes (or both of no file).
    bool SameBytesAs(const CFileStamp &other) const;

private:
    bool m_exists = false;
    bool m_readable = true;
    qint64 m_size = 0;
    size_t m_hash = 0;
};
