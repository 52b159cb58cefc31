// The data file as lines of text, both ways, for the test that drives the
// installed program in a real window:
//
//   quillmark_liststext write FILE < text     writes the lists the text gives
//   quillmark_liststext print FILE            prints the lists FILE holds
//
// One line per list and per item, fields split by "|":
//   list|NAME|ICON
//   item|NAME|DESCRIPTION|PRICE|DONE (x or -)|DATE (yyyy-MM-dd HH:mm or -)
// Dates are local times; the test runs in UTC.

#include "model/DataFile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

const QString kNoDate = QStringLiteral("-");

QString DateText(const CListItem &item)
{
    LocalFields f;
    if (!item.m_bDated || !CalendarTimeOps::ToLocal(item.m_time, f))
        return kNoDate;
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", f.year, f.month, f.day, f.hour, f.minute);
}

bool ReadDate(const QString &text, CListItem &item)
{
    item.m_bDated = text != kNoDate;
    if (!item.m_bDated)
        return true;
    int year, month, day, hour, minute;
    CalendarTime t = 0;
    if (std::sscanf(text.toLatin1().constData(), "%d-%d-%d %d:%d", &year, &month, &day, &hour, &minute) != 5
        || !CalendarTimeOps::FromLocal(year, month, day, hour, minute, 0, t))
        return false;
    item.SetDateTime(t);
    return true;
}

int Print(const QString &path)
{
    QFile file(path);
    CListCollection lists;
    if (!file.open(QIODevice::ReadOnly) || DataFile::Read(file, lists).status != DataFile::LoadStatus::Complete) {
        std::fprintf(stderr, "%s: not a complete data file\n", qPrintable(path));
        return 1;
    }
    QTextStream out(stdout);
    for (const CListItemArray &list : lists) {
        out << "list|" << list.m_strName << '|' << list.m_nIcon << '\n';
        for (const CListItem &item : list.m_items) {
            out << "item|" << item.m_strName << '|' << item.m_strDesc << '|'
                << QString::number(item.m_dPrice, 'f', 2) << '|' << (item.m_bDone ? "x" : "-") << '|'
                << DateText(item) << '\n';
        }
    }
    return 0;
}

int Write(const QString &path)
{
    CListCollection lists;
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line)) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList f = line.split(u'|');
        bool ok = false;
        if (f.value(0) == QLatin1String("list") && f.size() == 3) {
            CListItemArray list;
            list.SetName(f[1]);
            list.m_nIcon = f[2].toInt(&ok);
            lists.append(list);
        } else if (f.value(0) == QLatin1String("item") && f.size() == 6 && !lists.isEmpty()) {
            CListItem item;
            item.SetName(f[1]);
            item.SetDescription(f[2]);
            item.m_dPrice = f[3].toDouble(&ok);
            item.m_bDone = f[4] == QLatin1String("x");
            ok = ok && ReadDate(f[5], item);
            lists.last().m_items.append(item);
        }
        if (!ok) {
            std::fprintf(stderr, "cannot read: %s\n", qPrintable(line));
            return 1;
        }
    }
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly) || !DataFile::Write(file, lists, &error) || !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error.isEmpty() ? file.errorString() : error));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString command = argc == 3 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString path = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (command == QLatin1String("print"))
        return Print(path);
    if (command == QLatin1String("write"))
        return Write(path);
    std::fprintf(stderr, "usage: %s print|write FILE\n", argv[0]);
    return 64;
}
