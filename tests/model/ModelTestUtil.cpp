#include "tests/model/ModelTestUtil.h"

#include "model/Archive.h"
#include "model/DataFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace ModelTest {

qint64 SequentialBuffer::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(maxSize, m_data.size() - m_pos);
    std::memcpy(data, m_data.constData() + m_pos, static_cast<size_t>(n));
    m_pos += n;
    return n;
}

CalendarTime Local(int year, int month, int day, int hour, int minute, int second)
{
    CalendarTime t = 0;
    if (!CalendarTimeOps::FromLocal(year, month, day, hour, minute, second, t))
        qWarning("cannot build local time %d-%d-%d", year, month, day);
    return t;
}

CListItem MakeItem(const QString &name, const QString &desc, double price, bool done, bool dated,
                   CalendarTime time, qint32 icon)
{
    CListItem item;
    item.SetName(name);
    item.SetDescription(desc);
    item.m_dPrice = price;
    item.m_bDone = done;
    item.m_bDated = dated;
    item.SetDateTime(time);
    item.m_nIcon = icon;
    return item;
}

CListCollection RichSample()
{
    CListCollection lists;

    CListItemArray groceries;
    groceries.SetName(QStringLiteral("Groceries"));
    groceries.m_nIcon = 7;
    groceries.m_items.append(MakeItem(QStringLiteral("Milk"), QStringLiteral("2 litres"), 12.5, false,
                                      true, Local(2002, 3, 7, 13, 15)));
    groceries.m_items.append(MakeItem(QStringLiteral("Café crème"), QStringLiteral("Line one\r\nLine two"),
                                      -3.25, true, false, Local(1999, 12, 31, 23, 59, 59), 50));
    groceries.m_items.append(MakeItem(QString(), QString(), 0.0, false, false, Local(2024, 2, 29, 0, 0)));
    lists.append(groceries);

    CListItemArray empty;
    empty.m_nIcon = -1;
    lists.append(empty);

    CListItemArray wide;
    wide.SetName(QString(300, QChar(u'\u00e9')));
    wide.m_nIcon = 5 + 45;
    wide.m_items.append(MakeItem(QStringLiteral("Zebra \u20ac \U0001F600"), QString(254, u'x'), 1e9 + 0.01,
                                 true, true, Local(2100, 1, 1, 12, 0), 5));
    wide.m_items.append(MakeItem(QStringLiteral("apple"), QString(255, u'y'), 0.1, false, true,
                                 Local(1970, 1, 2, 0, 0)));
    lists.append(wide);
    return lists;
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

CListCollection Sentinel()
{
    CListItemArray list;
    list.SetName(QStringLiteral("before"));
    return {list};
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

QString LocalText(CalendarTime t)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(t, f))
        return QStringLiteral("invalid");
    return QStringLiteral("%1-%2-%3 %4:%5:%6").arg(f.year).arg(f.month).arg(f.day).arg(f.hour).arg(f.minute).arg(f.second);
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

} // namespace ModelTest
