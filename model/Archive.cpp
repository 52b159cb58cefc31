#include "model/Archive.h"

#include "model/CompactText.h"
#include "model/FileStamp.h"

#include "platform/CodePage.h"
#include "platform/WriteAll.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <cstring>
#include <utility>

namespace {

// Every device read and write but the last covers one chunk of the stamp.
constexpr qsizetype kChunk = CStampHasher::kChunk;

// The archive's length prefix: one byte below 0xFF, else 0xFF and a word
// below 0xFFFE, else 0xFF, 0xFFFF and a double word. 0xFFFE in the word
// position marks a UTF-16 string; 0xFFFFFFFF would announce a 64-bit length.
constexpr quint8 kByteEscape = 0xFF;
constexpr quint16 kWideMarker = 0xFFFE;
constexpr quint16 kWordEscape = 0xFFFF;
constexpr quint32 kDwordEscape = 0xFFFFFFFF;

QString EndsEarly(qint64 offset)
{
    return Tr::tr("the file ends too early (byte %1)").arg(offset);
}

} // namespace

// ---------------------------------------------------------------- writer

CArchiveWriter::CArchiveWriter(QIODevice *device, CStampHasher *hasher)
    : m_device(device)
    , m_hasher(hasher)
    , m_buffer(kChunk, Qt::Uninitialized)
{
}

void CArchiveWriter::Fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
}

bool CArchiveWriter::Emit(const char *data, qsizetype size)
{
    if (!WriteAll(*m_device, QByteArrayView(data, size))) {
        Fail(m_device->errorString());
        return false;
    }
    if (m_hasher)
        m_hasher->Add(data, size);
    return true;
}

void CArchiveWriter::Put(const char *data, qsizetype size)
{
    // An empty text has no bytes at all, not even an address to copy from.
    if (size <= 0)
        return;
    if (m_used + size < kChunk) {
        std::memcpy(m_buffer.data() + m_used, data, size);
        m_used += size;
        return;
    }
    if (!Ok())
        return;
    // The chunk is filled to the brim before it goes, and whole chunks of
    // a long text go straight out.
    const qsizetype fill = kChunk - m_used;
    std::memcpy(m_buffer.data() + m_used, data, fill);
    data += fill;
    size -= fill;
    m_used = kChunk;
    if (!Flush())
        return;
    const qsizetype whole = size - size % kChunk;
    if (whole > 0 && !Emit(data, whole))
        return;
    std::memcpy(m_buffer.data(), data + whole, size - whole);
    m_used = size - whole;
}

bool CArchiveWriter::Flush()
{
    if (!Ok())
        return false;
    const qsizetype used = std::exchange(m_used, 0);
    return Emit(m_buffer.constData(), used);
}

void CArchiveWriter::WriteLong(qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    Put(reinterpret_cast<const char *>(&le), sizeof le);
}

void CArchiveWriter::WriteWord(quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    Put(reinterpret_cast<const char *>(&le), sizeof le);
}

void CArchiveWriter::WriteString(const QString &text)
{
    WriteUtf16(text);
}

void CArchiveWriter::WriteString(const CCompactText &text)
{
    WriteUtf16(text.Utf16(m_wide));
}

void CArchiveWriter::WriteUtf16(QStringView text)
{
    const qsizetype length = text.size();
    if (static_cast<quint64>(length) >= kDwordEscape) {
        Fail(Tr::tr("a text is too long to be saved"));
        return;
    }
    PutByte(kByteEscape);
    WriteWord(kWideMarker);
    if (length < kByteEscape) {
        PutByte(static_cast<quint8>(length));
    } else if (length < kWideMarker) {
        PutByte(kByteEscape);
        WriteWord(static_cast<quint16>(length));
    } else {
        PutByte(kByteEscape);
        WriteWord(kWordEscape);
        WriteLong(static_cast<qint32>(static_cast<quint32>(length)));
    }
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        Put(reinterpret_cast<const char *>(text.utf16()), length * 2);
    } else {
        for (QChar c : text)
            WriteWord(c.unicode());
    }
}

// ---------------------------------------------------------------- reader

CArchiveReader::CArchiveReader(QIODevice *device, CStampHasher *hasher)
    : m_device(device)
    , m_hasher(hasher)
    , m_deviceSize(device->isSequential() ? -1 : device->size())
    , m_buffer(2 * kChunk, Qt::Uninitialized)
    , m_consumed(device->isSequential() ? 0 : device->pos())
{
}

bool CArchiveReader::Fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    return false;
}

qint64 CArchiveReader::KnownBytesLeft() const
{
    if (m_deviceSize < 0)
        return -1;
    return qMax<qint64>(0, m_deviceSize - Offset());
}

qint64 CArchiveReader::ReadDevice(char *data, qint64 size)
{
    const qint64 got = m_device->read(data, size);
    if (got < 0)
        Fail(Str::FileReadError(m_device->errorString()));
    else if (m_hasher)
        m_hasher->Add(data, got);
    return got;
}

bool CArchiveReader::Refill(qsizetype wanted)
{
    // Keeps the unread tail and reads on until `wanted` bytes (at most one
    // chunk) are buffered or the device has nothing more. Each read ends
    // where a chunk of the device ends.
    Q_ASSERT(wanted <= kChunk);
    const qsizetype tail = m_end - m_pos;
    std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, tail);
    m_consumed += m_pos;
    m_pos = 0;
    m_end = tail;
    while (m_end < wanted) {
        const qsizetype step = kChunk - static_cast<qsizetype>((m_consumed + m_end) % kChunk);
        const qint64 got = ReadDevice(m_buffer.data() + m_end, step);
        if (got <= 0)
            return false;
        m_end += got;
    }
    return true;
}

bool CArchiveReader::AtEnd()
{
    if (!Ok() || m_pos < m_end)
        return false;
    // Refill fails on a read error too; that is no end of the file.
    Refill(1);
    return Ok() && m_pos == m_end;
}

const char *CArchiveReader::TryTake(qsizetype size)
{
    if (!Ok() || (m_end - m_pos < size && !Refill(size)))
        return nullptr;
    const char *data = m_buffer.constData() + m_pos;
    m_pos += size;
    return data;
}

inline bool CArchiveReader::Take(char *data, qsizetype size)
{
    if (m_end - m_pos < size || !Ok())
        return TakeSlow(data, size);
    std::memcpy(data, m_buffer.constData() + m_pos, size);
    m_pos += size;
    return true;
}

bool CArchiveReader::TakeSlow(char *data, qsizetype size)
{
    if (!Ok())
        return false;
    const qint64 start = Offset();
    if (size <= kChunk) {
        if (!Refill(size))
            return Fail(EndsEarly(start));
        std::memcpy(data, m_buffer.constData() + m_pos, size);
        m_pos += size;
        return true;
    }
    // Large strings go straight from the device to their place.
    const qsizetype buffered = m_end - m_pos;
    std::memcpy(data, m_buffer.constData() + m_pos, buffered);
    m_consumed += m_end;
    m_pos = m_end = 0;
    qsizetype done = buffered;
    while (done < size) {
        const qint64 got = ReadDevice(data + done, size - done);
        if (got < 0)
            return false;
        if (got == 0)
            return Fail(EndsEarly(start));
        done += got;
        m_consumed += got;
    }
    return true;
}

bool CArchiveReader::ReadByte(quint8 &value)
{
    return Take(reinterpret_cast<char *>(&value), 1);
}

template<typename T>
bool CArchiveReader::ReadLittleEndian(T &value)
{
    T le;
    if (!Take(reinterpret_cast<char *>(&le), sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool CArchiveReader::ReadLong(qint32 &value)
{
    return ReadLittleEndian(value);
}

bool CArchiveReader::ReadWord(quint16 &value)
{
    return ReadLittleEndian(value);
}

bool CArchiveReader::ReadDouble(double &value)
{
    quint64 bits;
    if (!ReadLittleEndian(bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool CArchiveReader::ReadLength(quint64 &length, bool &wide)
{
    wide = false;
    return ReadLengthPrefix(length, &wide);
}

// A byte, else a word, else a double word. Where wide is given, the word
// FFFE marks a UTF-16 string whose length then starts over (the marker
// cannot come twice).
bool CArchiveReader::ReadLengthPrefix(quint64 &length, bool *wide)
{
    quint8 b;
    if (!ReadByte(b))
        return false;
    if (b < kByteEscape) {
        length = b;
        return true;
    }
    quint16 w;
    if (!ReadWord(w))
        return false;
    if (wide && w == kWideMarker) {
        *wide = true;
        return ReadLengthPrefix(length, nullptr);
    }
    if (w < kWordEscape) {
        length = w;
        return true;
    }
    const qint64 at = Offset();
    qint32 d;
    if (!ReadLong(d))
        return false;
    if (static_cast<quint32>(d) == kDwordEscape)
        return Fail(Tr::tr("a text has a malformed length (byte %1)").arg(at));
    length = static_cast<quint32>(d);
    return true;
}

bool CArchiveReader::ReadStringLength(quint64 &length, bool &wide)
{
    const qint64 start = Offset();
    if (!ReadLength(length, wide))
        return false;
    const quint64 bytes = wide ? length * 2 : length;
    // The length is checked against what the file still holds before
    // anything is allocated for it.
    const qint64 left = KnownBytesLeft();
    if (left >= 0 && bytes > static_cast<quint64>(left))
        return Fail(Tr::tr("a text is longer than the rest of the file (byte %1)").arg(start));
    return true;
}

bool CArchiveReader::ReadString(QString &text)
{
    quint64 length = 0;
    bool wide = false;
    return ReadStringLength(length, wide) && ReadStringBody(length, wide, text);
}

bool CArchiveReader::ReadString(CCompactText &text)
{
    quint64 length = 0;
    bool wide = false;
    if (!ReadStringLength(length, wide))
        return false;
    const quint64 bytes = wide ? length * 2 : length;
    if (wide && bytes <= static_cast<quint64>(kChunk)) {
        // Straight from the buffer into its form: no QString in between.
        const qint64 at = Offset();
        const char *data = TryTake(static_cast<qsizetype>(bytes));
        if (!data)
            return Fail(EndsEarly(at));
        text = CCompactText::FromUtf16LE(data, static_cast<qsizetype>(length));
        return true;
    }
    QString whole;
    if (!ReadStringBody(length, wide, whole))
        return false;
    text = whole;
    return true;
}

bool CArchiveReader::ReadStringBody(quint64 length, bool wide, QString &text)
{
    const quint64 bytes = wide ? length * 2 : length;
    if (KnownBytesLeft() < 0 && bytes > static_cast<quint64>(kChunk)) {
        // A device that cannot tell its size: the text grows only as its
        // bytes arrive.
        QByteArray raw;
        while (static_cast<quint64>(raw.size()) < bytes) {
            const qsizetype step = static_cast<qsizetype>(
                    qMin<quint64>(kChunk, bytes - static_cast<quint64>(raw.size())));
            const qsizetype have = raw.size();
            raw.resize(have + step);
            if (!Take(raw.data() + have, step))
                return false;
        }
        if (wide) {
            text = QString(reinterpret_cast<const QChar *>(raw.constData()), raw.size() / 2);
            if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
                for (QChar &c : text)
                    c = QChar(qFromLittleEndian(c.unicode()));
            }
        } else {
            text = CodePage::FromWindows1252(raw);
        }
        return true;
    }
    if (wide) {
        // A new string, not a resize: the caller's old text is usually
        // shared with a copy already stored, and would be copied first.
        QString fresh(static_cast<qsizetype>(length), Qt::Uninitialized);
        if (!Take(reinterpret_cast<char *>(fresh.data()), static_cast<qsizetype>(bytes)))
            return false;
        if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
            for (QChar &c : fresh)
                c = QChar(qFromLittleEndian(c.unicode()));
        }
        text = std::move(fresh);
        return true;
    }
    QByteArray raw(static_cast<qsizetype>(bytes), Qt::Uninitialized);
    if (!Take(raw.data(), raw.size()))
        return false;
    text = CodePage::FromWindows1252(raw);
    return true;
}
