#pragma once

#include "model/DataFile.h"
#include "model/ListItemArray.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

#include <functional>

class CArchiveWriter;

// Data files and other files as bytes, in memory and on disk.
namespace QuillmarkTest {

// Reads from memory but says it cannot tell its size, as a pipe cannot.
class SequentialBuffer : public QIODevice
{
public:
    explicit SequentialBuffer(QByteArray data) : m_data(std::move(data)) { }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_pos = 0;
};

QByteArray WriteToBytes(const CListCollection &lists);
// Reads a data file from memory, through a pipe where `sequential`.
DataFile::LoadResult ReadBytes(const QByteArray &bytes, CListCollection &lists, bool sequential = false);
// What `write` puts through an archive writer, as bytes.
QByteArray ArchiveBytes(const std::function<void(CArchiveWriter &)> &write);
// One text as the data file holds it: marker, length, UTF-16.
QByteArray StringBytes(const QString &text);
inline QByteArray Hex(const char *hex) { return QByteArray::fromHex(hex); }

// The bytes of a file; "<missing>" where it cannot be read, which no data
// file ever holds.
QByteArray FileBytes(const QString &path);
// Puts a file in place for a test, truncating whatever was there.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);
// As sync tools put a file in place: a new file renamed over the old one.
bool RenameOver(const QString &path, const QByteArray &bytes);
// Every entry of a folder, hidden ones included, by name.
QStringList Entries(const QString &folder);

// A data file holding `lists`, put in place as sync tools do; and what one
// holds (nothing where it cannot be read).
bool WriteDataFile(const QString &path, const CListCollection &lists);
CListCollection ReadDataFile(const QString &path);

} // namespace QuillmarkTest
