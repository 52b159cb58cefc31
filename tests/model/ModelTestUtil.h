#pragma once

#include "model/DataFile.h"
#include "model/ListItemArray.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

#include <functional>

class CArchiveWriter;

namespace ModelTest {

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

// Local time from calendar fields in the zone of the moment; fails the
// test (returns 0) when the C library cannot build it.
CalendarTime Local(int year, int month, int day, int hour, int minute, int second = 0);

CListItem MakeItem(const QString &name, const QString &desc, double price, bool done, bool dated,
                   CalendarTime time, qint32 icon = 6);

// A few lists with what a file can hold: empty and long names, text beyond
// Latin-1 (a surrogate pair too), line breaks, an empty list, negative and
// fractional prices, icon -1, undated items. Small enough to cut at every byte.
CListCollection RichSample();

QByteArray WriteToBytes(const CListCollection &lists);
// A collection no test file holds: what a read must leave alone when it
// cannot even get the list count.
CListCollection Sentinel();
// Reads a data file from memory, through a pipe where `sequential`.
DataFile::LoadResult ReadBytes(const QByteArray &bytes, CListCollection &lists, bool sequential = false);
// A moment as its local calendar fields, "2002-3-7 13:15:0".
QString LocalText(CalendarTime t);
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

} // namespace ModelTest
