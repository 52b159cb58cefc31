#include "exchange/csv/PastedText.h"
#include "exchange/share/ListText.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QMimeData>

#include <memory>

using QuillmarkTest::Item;
using namespace Qt::StringLiterals;

namespace {

// "name|price|x" per item (x when done, d when dated, then "|description"
// where there is one) and "line:why" per skipped line.
QStringList Described(const PastedText::Parsed &parsed)
{
    QStringList out;
    for (const CListItem &item : parsed.items) {
        QString line = QString(item.m_strName) + u'|' + QString::number(item.m_dPrice) + u'|'
                + QLatin1StringView(item.m_bDone ? "x" : "") + QLatin1StringView(item.m_bDated ? "d" : "");
        if (!item.m_strDesc.isEmpty())
            line += u'|' + QString(item.m_strDesc);
        out << line;
    }
    for (const PastedText::Skipped &skipped : parsed.skipped)
        out << QStringLiteral("%1:%2").arg(skipped.line).arg(PastedText::WhyText(skipped.why));
    return out;
}

} // namespace

class TestPastedText : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("markdown tasks") << u"C"_s << u"- [ ] Milk\n- [x] Eggs\n* Bread\n1. Butter\n+ Jam 2.50\r\n2) [X] Tea"_s
                                        << QStringList{u"Milk|0|"_s, u"Eggs|0|x"_s, u"Bread|0|"_s, u"Butter|0|"_s, u"Jam|2.5|"_s, u"Tea|0|x"_s};
        QTest::newRow("markdown escapes") << u"C"_s << u"- [ ] Fish \\& chips \\*large\\*\nC:\\temp\\*"_s
                                          << QStringList{u"Fish & chips *large*|0|"_s, u"C:\\temp\\*|0|"_s};
        QTest::newRow("box characters") << u"C"_s << QString::fromUtf8("☐ Milk\n☑ Eggs\n✔ Tea 1")
                                        << QStringList{u"Milk|0|"_s, u"Eggs|0|x"_s, u"Tea|1|x"_s};
        QTest::newRow("prices in C") << u"C"_s << QString::fromUtf8("Milk 1.29\nCheese $4.50\nTea 3 €\nRice: 2\n7 Up\n2024\nButter 2,10")
                                     << QStringList{u"Milk|1.29|"_s, u"Cheese|4.5|"_s, u"Tea|3|"_s, u"Rice|2|"_s, u"7 Up|0|"_s, u"2024|0|"_s,
                                                    u"Butter 2,10|0|"_s};
        QTest::newRow("prices in German") << u"de_DE"_s
                                          << QString::fromUtf8("Butter 2,10\nKäse 1,29 €\nMilch 1.5\nZucker 1.234,50\nBrot €0,99")
                                          << QStringList{u"Butter|2.1|"_s, QString::fromUtf8("Käse|1.29|"), u"Milch|1.5|"_s,
                                                         u"Zucker 1.234,50|0|"_s, u"Brot|0.99|"_s};
        QTest::newRow("spreadsheet rows") << u"C"_s << u"Name\tDescription\tPrice\nMilk\tsemi-skimmed\t1.29\nEggs\t\t\n\tno name\t1\nTea\t2.5"_s
                                          << QStringList{u"Milk|1.29||semi-skimmed"_s, u"Eggs|0|"_s, u"Tea|2.5|"_s, u"1:the price is not a number"_s,
                                                         u"4:no name"_s};
        QTest::newRow("spreadsheet rows in German") << u"de_DE"_s << u"Brot\tVollkorn\t2,49"_s
                                                    << QStringList{u"Brot|2.49||Vollkorn"_s};
        QTest::newRow("markdown table") << u"C"_s << u"| Item | Price |\n|---|:--:|\n| Milk | 1.29 |\n| Eggs | large |"_s
                                        << QStringList{u"Milk|1.29|"_s, u"Eggs|0||large"_s, u"1:a heading"_s, u"2:a dividing line"_s};
        QTest::newRow("skipped lines") << u"C"_s << u"# Weekly shop\n\n---\n- [ ]\n- [x] Milk\n* * *\nTotal: 3.00\n   \n## More"_s
                                       << QStringList{u"Milk|0|x"_s, u"1:a heading"_s, u"3:a dividing line"_s, u"4:no name"_s, u"6:a dividing line"_s,
                                                      u"7:the list's total"_s, u"9:a heading"_s};
        // Only a first line followed by a checklist is a title.
        QTest::newRow("title") << u"C"_s << u"Packing\n[ ] Socks"_s << QStringList{u"Socks|0|"_s, u"1:a heading"_s};
        QTest::newRow("no title") << u"C"_s << u"Socks\nShirts"_s << QStringList{u"Socks|0|"_s, u"Shirts|0|"_s};
    }
    void lines()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(Described(PastedText::Parse(text, QLocale(locale), 7)), expected);
    }

    // A list copied as text, plain or Markdown, pasted into another: the same
    // names, prices, done marks and days, in every language.
    void copyReadsBack()
    {
        const CalendarTime day = QuillmarkTest::Local(2002, 3, 7, 12, 0);
        const QuillmarkTest::List list(QStringLiteral("Shop # 1"),
                                       {Item(QStringLiteral("Milk")).Price(1.29),
                                        Item(QStringLiteral("Eggs *free-range* [6]")).Price(1234.5).Done(),
                                        Item(QStringLiteral("Tea")).Dated(day), Item(QStringLiteral("1. Choice"))});
        const std::unique_ptr<QMimeData> copy(ListText::ToMimeData(list));
        for (const QString &locale : {QStringLiteral("C"), QStringLiteral("de_DE")}) {
            for (const QString &text : {copy->text(), QString::fromUtf8(copy->data(QStringLiteral("text/markdown")))}) {
                const PastedText::Parsed back = PastedText::Parse(text, QLocale(locale), 6);
                QCOMPARE(back.items.size(), list.m_items.size());
                for (qsizetype i = 0; i < back.items.size(); ++i) {
                    const CListItem &got = back.items.at(i);
                    const CListItem &want = list.m_items.at(i);
                    QCOMPARE(QString(got.m_strName), QString(want.m_strName));
                    QCOMPARE(got.m_dPrice, want.m_dPrice);
                    QCOMPARE(got.m_bDone, want.m_bDone);
                    QCOMPARE(got.m_bDated, want.m_bDated);
                    if (want.m_bDated)
                        QCOMPARE(got.m_time, want.m_time);
                }
                QCOMPARE(back.skipped.size(), 2); // the name and the total
            }
        }
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestPastedText)
#include "tst_pastedtext.moc"
