#include "tests/testlib/DataFiles.h"

#include "model/Archive.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace QuillmarkTest {

qint64 SequentialBuffer::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(maxSize, m_data.size() - m_pos);
    std::memcpy(data, m_data.constData() + m_pos, static_cast<size_t>(n));
    m_pos += n;
    return n;
}

QByteArray WriteToBytes(const CListCollection &lists)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!DataFile::Write(buffer, lists, &error))
        qWarning("writing to memory failed: %s", qPrintable(error));
    return buffer.data();
}

DataFile::LoadResult ReadBytes(const QByteArray &bytes, CListCollection &lists, bool sequential)
{
    QBuffer buffer;
    buffer.setData(bytes);
    SequentialBuffer pipe(bytes);
    QIODevice &device = sequential ? static_cast<QIODevice &>(pipe) : buffer;
    device.open(QIODevice::ReadOnly);
    return DataFile::Read(device, lists);
}

QByteArray ArchiveBytes(const std::function<void(CArchiveWriter &)> &write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CArchiveWriter ar(&buffer);
    write(ar);
    ar.Flush();
    return buffer.data();
}

QByteArray StringBytes(const QString &text)
{
    return ArchiveBytes([&](CArchiveWriter &ar) { ar.WriteString(text); });
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool RenameOver(const QString &path, const QByteArray &bytes)
{
    const QString incoming = path + QStringLiteral(".incoming");
    if (!WriteFileBytes(incoming, bytes))
        return false;
    return std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(path).constData()) == 0;
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

bool WriteDataFile(const QString &path, const CListCollection &lists)
{
    return RenameOver(path, WriteToBytes(lists));
}

CListCollection ReadDataFile(const QString &path)
{
    CListCollection lists;
    ReadBytes(FileBytes(path), lists);
    return lists;
}

} // namespace QuillmarkTest
