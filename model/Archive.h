#pragma once

#include <QString>

class QIODevice;

// The handheld framework's data archive, as the data file uses it: integers
// and doubles little-endian, strings in the archive's string format (a
// length prefix, with a marker for UTF-16 strings). Each side has one error
// path: the first failure stops it, and errorString() says why.
class CArchiveWriter
{
public:
    explicit CArchiveWriter(QIODevice *device);

    void WriteLong(qint32 value);
    void WriteWord(quint16 value);
    void WriteDouble(double value);
    void WriteString(const QString &text); // always the UTF-16 form

    bool Ok() const { return m_error.isEmpty(); }
    QString ErrorString() const { return m_error; }
    bool Flush(); // writes what is buffered; false on failure

private:
    void Put(const char *data, qsizetype size);

    QIODevice *m_device;
    QByteArray m_buffer;
    QString m_error;
};

class CArchiveReader
{
public:
    explicit CArchiveReader(QIODevice *device);

    bool ReadLong(qint32 &value);
    bool ReadWord(quint16 &value);
    bool ReadDouble(double &value);
    bool ReadString(QString &text); // UTF-16 and narrow (Windows-1252) forms

    bool Ok() const { return m_error.isEmpty(); }
    QString ErrorString() const { return m_error; }

private:
    bool Take(char *data, qsizetype size);
    bool Fail(const QString &why);

    QIODevice *m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    QString m_error;
};
