#include "exchange/share/ListPrint.h"
#include "model/ListItemArray.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString kHeading = QStringLiteral("Weekly shop");

// Long enough for two pages of A4: every third item has a description
// of two lines, every fourth is dated, most have a price.
CListItemArray LongList()
{
    QuillmarkTest::List list(kHeading);
    for (int i = 1; i <= 45; ++i) {
        const QString desc = i % 3 == 2 ? QStringLiteral("From the market on the square, the small ones; ask for them "
                                                         "at the back if the stall has none left out in front, and if "
                                                         "they have none at all, the larger ones will do as well")
                                        : QString();
        list.m_items.append(QuillmarkTest::Item(QStringLiteral("Item %1").arg(i, 2, 10, QLatin1Char('0')))
                                    .Desc(desc)
                                    .Price(i % 5 == 0 ? 0.0 : i * 0.25)
                                    .Done(i % 2 == 0)
                                    .Dated(QuillmarkTest::Local(2024, 1 + i % 12, i % 28 + 1, 9, 30), i % 4 == 0));
    }
    return list;
}

} // namespace

// The printout as a PDF, read back by the distribution's pdftotext: the
// heading on every page, each item's name, date and price on its line in
// the list's order, the total at the end, the pages numbered.
class TestListPrint : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // The text of each page of a printout of the pages from..to (all at 0).
    QStringList PrintedPages(const CListItemArray &list, int from, int to)
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            return {};
        const QString pdf = m_dir.filePath(QStringLiteral("list-%1-%2.pdf").arg(from).arg(to));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        if (!ListPrint::Print(list, printer))
            return {};
        QProcess p;
        p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QUILLMARK_SKIP_MISSING("pdftotext is not installed (Debian package poppler-utils; scripts/test installs it)");
    }

    void everyPage()
    {
        const CListItemArray list = LongList();
        const QStringList pages = PrintedPages(list, 0, 0);
        QCOMPARE(pages.size(), 2);
        QStringList lines;
        for (int i = 0; i < pages.size(); ++i) {
            QStringList pageLines = pages.at(i).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(pageLines.first().trimmed(), kHeading);
            QCOMPARE(pageLines.last().trimmed(), QStringLiteral("Page %1 of 2").arg(i + 1));
            // A page starts with an item, not the rest of one: rows stay whole.
            QVERIFY2(pageLines.at(1).trimmed().startsWith(QStringLiteral("Item ")), qPrintable(pageLines.at(1)));
            lines << pageLines;
        }
        // Each item's line, found below the one before: name, date, price.
        qsizetype at = 0;
        for (const CListItem &item : list.m_items) {
            while (at < lines.size() && !lines.at(at).contains(item.m_strName))
                ++at;
            QVERIFY2(at < lines.size(), qPrintable(item.m_strName));
            QStringList cells = lines.at(at).split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(2);
            if (item.m_dPrice != 0.0)
                QCOMPARE(cells.takeLast(), QString::number(item.m_dPrice, 'f', 2));
            if (item.m_bDated)
                QCOMPARE(cells.takeLast(), item.GetDateText(true));
            QVERIFY2(cells.isEmpty(), qPrintable(lines.at(at)));
        }
        QCOMPARE(lines.mid(at + 1).filter(QStringLiteral("Total")).join(QLatin1Char('|')).trimmed(),
                 QStringLiteral("Total: 202.50"));
    }

    // The pages the user chose, and nothing else; a file that cannot be
    // written is a failed print.
    void chosenPagesAndFailure()
    {
        const QStringList pages = PrintedPages(LongList(), 2, 2);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.first().trimmed().split(QLatin1Char('\n')).first(), kHeading);
        QVERIFY(!pages.first().contains(QStringLiteral("Item 01")));
        QVERIFY(pages.first().contains(QStringLiteral("Item 45")));
        QVERIFY(pages.first().contains(QStringLiteral("Page 2 of 2")));

        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("no such folder/list.pdf")));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!ListPrint::Print(LongList(), printer));
    }
};

QUILLMARK_TEST_MAIN(TestListPrint)
#include "tst_listprint.moc"
