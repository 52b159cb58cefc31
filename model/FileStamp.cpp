#include "model/FileStamp.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// A fingerprint against accidents, not against an attacker (whoever can
// write the file needs no collision): 64 bits of Qt's own hash, which uses
// the processor's AES instructions where it has them. On the 23 MB of
// 100,000 items it takes a few milliseconds, where SHA-1 takes 25; the
// stamps are only ever compared within one run, so the hash need not be
// stable across Qt versions or machines.
size_t HashChunk(const char *data, qsizetype size, size_t seed)
{
    return qHashBits(data, size_t(size), seed);
}

} // namespace

void CStampHasher::Add(const char *data, qsizetype size)
{
    m_size += size;
    if (!m_pending.isEmpty()) {
        const qsizetype take = qMin(size, kChunk - m_pending.size());
        m_pending.append(data, take);
        data += take;
        size -= take;
        if (m_pending.size() < kChunk)
            return;
        m_hash = HashChunk(m_pending.constData(), kChunk, m_hash);
        m_pending.resize(0);
    }
    for (; size >= kChunk; data += kChunk, size -= kChunk)
        m_hash = HashChunk(data, kChunk, m_hash);
    if (size > 0) {
        m_pending.reserve(kChunk);
        m_pending.append(data, size);
    }
}

bool CStampHasher::AddRest(QIODevice &device)
{
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), kChunk);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        Add(chunk.constData(), got);
    }
}

CFileStamp CStampHasher::Stamp()
{
    if (!m_pending.isEmpty()) {
        m_hash = HashChunk(m_pending.constData(), m_pending.size(), m_hash);
        m_pending.resize(0);
    }
    CFileStamp stamp;
    stamp.m_exists = true;
    stamp.m_size = m_size;
    stamp.m_hash = m_hash;
    stamp.m_look = m_look;
    return stamp;
}

CFileStamp CFileStamp::Unreadable()
{
    CFileStamp stamp;
    stamp.m_exists = true;
    stamp.m_readable = false;
    return stamp;
}

CFileStamp CFileStamp::OfFile(const QString &path)
{
    // QFile::exists() takes a link to nothing for a file; the file a link
    // points to is what counts.
    if (!QFileInfo::exists(path))
        return CFileStamp();
    // Nothing but an ordinary file is read: a named pipe would wait for a
    // writer, and /dev/zero never ends.
    QFile file;
    if (RegularFile::OpenForReading(file, path, nullptr) != RegularFile::Opened::Yes)
        return Unreadable();
    CStampHasher hasher(FileLook::OfOpenFile(file.handle()));
    if (!hasher.AddRest(file))
        return Unreadable();
    return hasher.Stamp();
}

bool CFileStamp::SameBytesAs(const CFileStamp &other) const
{
    if (!m_readable || !other.m_readable || m_exists != other.m_exists)
        return false;
    return !m_exists || (m_size == other.m_size && m_hash == other.m_hash);
}

bool CFileStamp::LooksUnchanged(const QString &path) const
{
    return m_exists && m_readable && m_look.settled && m_look.SameAs(FileLook::OfPath(path));
}
