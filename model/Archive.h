#pragma once

#include <QByteArray>
#include <QString>

class CCompactText;
class CStampHasher;
class QIODevice;

// The archive format the data file is written in: integers and doubles
// little-endian, strings in the archive's string format (a length prefix,
// with a marker for UTF-16 strings). Each side has one error path: the first
// failure stops it, and ErrorString() says why. Both go through the device
// in chunks of CStampHasher::kChunk and can hand every byte to a hasher on
// the way, so that the file is stamped without being read or made twice.
class CArchiveWriter
{
public:
    explicit CArchiveWriter(QIODevice *device, CStampHasher *hasher = nullptr);

    void WriteLong(qint32 value);
    void WriteWord(quint16 value);
    // Always the UTF-16 form.
    void WriteString(const QString &text);
    void WriteString(const CCompactText &text);
    // Fields already in the file's byte order, as one piece.
    void WriteBytes(const char *data, qsizetype size) { Put(data, size); }

    bool Ok() const { return m_error.isEmpty(); }
    QString ErrorString() const { return m_error; }
    bool Flush(); // writes what is buffered; false on failure

private:
    void Put(const char *data, qsizetype size);
    void PutByte(quint8 value) { Put(reinterpret_cast<const char *>(&value), 1); }
    bool Emit(const char *data, qsizetype size);
    void Fail(const QString &why);
    void WriteUtf16(QStringView text);

    QIODevice *m_device;
    CStampHasher *m_hasher;
    QByteArray m_buffer; // one chunk, filled up to m_used
    qsizetype m_used = 0;
    QString m_wide; // a one-byte text widened for the file, reused
    QString m_error;
};

class CArchiveReader
{
public:
    explicit CArchiveReader(QIODevice *device, CStampHasher *hasher = nullptr);

    bool ReadLong(qint32 &value);
    bool ReadWord(quint16 &value);
    bool ReadDouble(double &value);
    // UTF-16 and narrow (Windows-1252) forms.
    bool ReadString(QString &text);
    bool ReadString(CCompactText &text);
    // The next `size` bytes (at most one chunk) when the device still holds
    // them; else nullptr with nothing taken, so that reading field by field
    // can tell where the file ends.
    const char *TryTake(qsizetype size);

    // Stops the reader with a reason of the caller's (a field that cannot
    // be used); the reader's own failures come first and are kept.
    bool Fail(const QString &why);

    bool Ok() const { return m_error.isEmpty(); }
    QString ErrorString() const { return m_error; }
    // True when every byte of the device has been read; a device that
    // cannot tell its size is asked for one more byte.
    bool AtEnd();
    // The position in the device of the next byte to read: where a
    // failure happened.
    qint64 Offset() const { return m_consumed + m_pos; }
    // Bytes that certainly remain (buffer and device); -1 when the device
    // cannot tell, as a pipe cannot.
    qint64 KnownBytesLeft() const;

private:
    bool Take(char *data, qsizetype size);
    bool TakeSlow(char *data, qsizetype size);
    template<typename T>
    bool ReadLittleEndian(T &value);
    bool ReadByte(quint8 &value);
    bool ReadLength(quint64 &length, bool &wide);
    bool ReadLengthPrefix(quint64 &length, bool *wide);
    bool ReadStringLength(quint64 &length, bool &wide);
    bool ReadStringBody(quint64 length, bool wide, QString &text);
    bool Refill(qsizetype wanted);
    qint64 ReadDevice(char *data, qint64 size);

    QIODevice *m_device;
    CStampHasher *m_hasher;
    qint64 m_deviceSize = -1; // asked once: for a file, every ask is a system call
    QByteArray m_buffer;      // two chunks, holding m_pos .. m_end
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qint64 m_consumed = 0; // bytes of the device before m_buffer
    QString m_error;
};
