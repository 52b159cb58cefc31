#pragma once

#include "platform/FileLook.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

class QIODevice;

// What the data file on disk was when this program last read or wrote it:
// whether it was there, its size and a hash of its bytes. Taken again before
// a save and when the file watcher fires, it tells whether another program
// (a sync tool bringing another computer's lists) has written the file
// since: the save must then take the newer lists in first.
//
// The modification time is left out on purpose: it cannot decide either way.
// Sync tools give a file the time it had on the other computer, some file
// systems keep it to two seconds, and a file written again with the same
// bytes holds nothing new. What the system tells of the file without
// reading it (FileLook) can only say that nothing was written since, never
// that something was: where it says so, the file need not be read again.
class CFileStamp
{
public:
    // No file.
    CFileStamp() = default;

    // The file as it is now, read whole a chunk at a time. A file that is
    // there but cannot be read gives an unreadable stamp, which matches no
    // other.
    static CFileStamp OfFile(const QString &path);
    // A file that is there but could not be read.
    static CFileStamp Unreadable();

    bool Exists() const { return m_exists; }
    bool IsReadable() const { return m_readable; }

    // Whether both stamps are of the same bytes (or both of no file).
    bool SameBytesAs(const CFileStamp &other) const;
    // Whether the file at `path` certainly still holds the bytes stamped,
    // told from its look alone; false where only a read can tell.
    bool LooksUnchanged(const QString &path) const;

private:
    friend class CStampHasher;

    bool m_exists = false;
    bool m_readable = true;
    qint64 m_size = 0;
    size_t m_hash = 0;
    FileLook m_look; // as the file was opened, before its bytes were read
};

// Stamps the bytes of a file as they pass, in pieces of any size: the
// reader of the data file and its writer feed it, so that the stamp is of
// the very bytes read or written and no copy of the whole file is needed.
// The bytes are hashed in chunks of kChunk, each chunk's hash seeding the
// next; a piece that holds whole chunks is hashed in place, the rest is
// gathered first.
class CStampHasher
{
public:
    static constexpr qsizetype kChunk = 64 * 1024;

    // `look`: of the file the bytes are read from, taken before the first.
    explicit CStampHasher(const FileLook &look = {}) : m_look(look) { }

    void Add(const char *data, qsizetype size);
    // Adds what the device still holds; false on a read error.
    bool AddRest(QIODevice &device);
    // The stamp of all bytes added: a file that is there.
    CFileStamp Stamp();

private:
    QByteArray m_pending;
    size_t m_hash = 0;
    qint64 m_size = 0;
    FileLook m_look;
};
