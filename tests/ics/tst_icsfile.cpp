#include "exchange/ics/IcsFile.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QTemporaryDir>

using namespace QuillmarkTest;
using CsvImport::Status;

namespace {

// What a person sees of an item; the time only where it is dated.
QString Shown(const CListItem &item)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
            .arg(item.m_strName, item.m_strDesc, QString::number(item.m_dPrice, 'f', 2),
                 item.m_bDated ? LocalText(item.m_time) : QStringLiteral("undated"),
                 item.m_bDone ? QStringLiteral("done") : QStringLiteral("open"))
            .arg(item.m_nIcon);
}

QStringList Shown(const QList<CListItem> &items)
{
    QStringList out;
    for (const CListItem &item : items)
        out << Shown(item);
    return out;
}

QByteArray Calendar(const QByteArrayList &inside)
{
    QByteArrayList lines{"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Other//Phone//EN"};
    lines << inside << "END:VCALENDAR";
    return lines.join("\r\n") + "\r\n";
}

} // namespace

class TestIcsFile : public QObject
{
    Q_OBJECT

private slots:
    // A list written to a file and read back as a new list: every field of
    // every item as it was, in the list's order.
    void roundTrip_data()
    {
        QTest::addColumn<QList<CListItem>>("items");
        QTest::newRow("plain") << QList<CListItem>{Item(QStringLiteral("Bread")).Price(1.5),
                                                   Item(QStringLiteral("Milk")).Done().Price(2.25).Icon(12)};
        QTest::newRow("texts iCalendar escapes") << QList<CListItem>{
                Item(QStringLiteral("Nails, screws; glue\\")).Desc(QStringLiteral("two lines\nand, a comma")),
                Item(QString::fromUtf8("Gr\u00fc\u00dfe \u2615 \U0001F34E")).Desc(QStringLiteral("tab\there"))};
        QTest::newRow("dates") << QList<CListItem>{
                Item(QStringLiteral("Dentist")).Dated(Local(2024, 3, 15, 8, 30)),
                Item(QStringLiteral("Summer")).Dated(Local(2021, 7, 1, 23, 59, 59)).Done(),
                Item(QStringLiteral("Undated")).Time(Local(2020, 1, 1, 0, 0))};
        QTest::newRow("prices and icons at their edges") << QList<CListItem>{
                Item(QStringLiteral("A")).Price(-3.75).Icon(5), Item(QStringLiteral("B")).Price(1234567.89).Icon(56),
                Item(QStringLiteral("C")).Price(0.01).Icon(-1)};
        QTest::newRow("same names keep their order") << QList<CListItem>{
                Item(QStringLiteral("Tea")).Desc(QStringLiteral("green")), Item(QStringLiteral("Tea")).Desc(QStringLiteral("black"))};
    }
    void roundTrip()
    {
        QFETCH(QList<CListItem>, items);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.ics"));
        const List list(QStringLiteral("Shop, \"main\""), {});
        CListItemArray written = list;
        written.m_items = items;
        QCOMPARE(IcsFile::ExportList(written, path), QString());
        QList<CListItem> read;
        const CsvImport::Result result = IcsFile::ImportFile(path, read);
        QCOMPARE(result.status, Status::Ok);
        QCOMPARE(Shown(read), Shown(items));
        QVERIFY(IcsFile::IsCalendarFile(path));
    }

    // What other programs write: to-dos from every calendar of the file,
    // events and journals passed over; a file that is no text, no UTF-8, no
    // calendar or holds no to-do is refused as a whole.
    void fromOtherPrograms_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status"); // CsvImport::Status
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QStringList>("items");
        const QByteArray todoA = Calendar({"BEGIN:VTODO", "UID:a", "SUMMARY:Apples", "END:VTODO"});
        const QByteArray eventAndTodo = Calendar({"BEGIN:VEVENT", "UID:e", "DTSTART:20240101T100000Z",
                                                  "SUMMARY:Meeting", "END:VEVENT", "BEGIN:VJOURNAL", "UID:j",
                                                  "SUMMARY:Diary", "END:VJOURNAL", "BEGIN:VTODO", "UID:b",
                                                  "SUMMARY:Butter", "STATUS:COMPLETED", "END:VTODO"});
        const QString apples = QStringLiteral("Apples||0.00|undated|open|5");
        const QString butter = QStringLiteral("Butter||0.00|undated|done|5");
        QTest::newRow("two calendars, one event") << todoA + eventAndTodo << int(Status::Ok) << 0ll
                                                  << QStringList{apples, butter};
        QTest::newRow("marked as UTF-8, LF lines") << QByteArray("\xEF\xBB\xBF") + QByteArray(todoA).replace("\r\n", "\n")
                                                   << int(Status::Ok) << 0ll << QStringList{apples};
        QTest::newRow("events only") << Calendar({"BEGIN:VEVENT", "UID:e", "DTSTART:20240101T100000Z", "END:VEVENT"})
                                     << int(Status::NoTodos) << 0ll << QStringList();
        QTest::newRow("comma-separated") << QByteArray("Apples,red,1.00,\n") << int(Status::NotCalendar) << 0ll
                                         << QStringList();
        QTest::newRow("zero byte") << QByteArray(todoA).replace("Apples", QByteArray("App\0es", 6)) << int(Status::NotText)
                                   << 6ll << QStringList();
        QTest::newRow("Windows-1252") << QByteArray(todoA).replace("Apples", "\xC4pfel") << int(Status::NotUtf8) << 6ll
                                      << QStringList();
        QTest::newRow("line too long") << QByteArray(todoA).replace("Apples", QByteArray(70000, 'x'))
                                       << int(Status::LineTooLong) << 6ll << QStringList();
    }
    void fromOtherPrograms()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(qint64, line);
        QFETCH(QStringList, items);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("from elsewhere.ics"));
        QVERIFY(WriteFileBytes(path, bytes));
        QList<CListItem> read;
        const CsvImport::Result result = IcsFile::ImportFile(path, read);
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.line, line);
        QCOMPARE(Shown(read), items);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestIcsFile)
#include "tst_icsfile.moc"
