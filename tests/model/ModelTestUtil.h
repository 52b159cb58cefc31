#pragma once

#include "model/ListItemArray.h"

#include <QByteArray>
#include <QIODevice>

namespace ModelTest {

// Accepts `limit` bytes, then fails every write: a disk that fills up.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { }
    const QByteArray &Written() const { return m_written; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    qint64 m_limit;
    QByteArray m_written;
};

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

} // namespace ModelTest
