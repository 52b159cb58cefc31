#include "exchange/share/ListText.h"
#include "model/ListItemArray.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QMimeData>
#include <QTranslator>

#include <clocale>
#include <memory>

namespace {

CListItem Item(const QString &name, double price, bool done, bool dated)
{
    return QuillmarkTest::Item(name).Desc(QStringLiteral("not copied")).Price(price).Done(done).Dated(
            QuillmarkTest::Local(2002, 3, 7, 13, 15), dated);
}

// A name markdown would read as emphasis, a link, tags, code, strike-through,
// an entity and a heading's end, broken over two lines.
const QString kMarkup = QStringLiteral("  *a* _b_ [c](d) <i>e</i>\n`f` ~g~ \\ &amp; & #  ");

CListItemArray Shop()
{
    return QuillmarkTest::List(QStringLiteral("Shop"), {Item(QStringLiteral("Bread"), 2.1, true, false),
                                                        Item(QStringLiteral("Milk"), 0.99, false, true),
                                                        Item(QStringLiteral("Stamps"), 0.0, true, true),
                                                        Item(kMarkup, 0.0, false, false)});
}

QByteArray Markdown(const QMimeData &data) { return data.data(QStringLiteral("text/markdown")); }

} // namespace

// What goes to the clipboard reads the same in every language but for the
// word before the total: prices and dates keep their fixed forms.
class TestListText : public QObject
{
    Q_OBJECT

private slots:
    void list_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("total");
        QTest::newRow("English") << QString() << QStringLiteral("Total: ");
        QTest::newRow("German") << QStringLiteral("de") << QStringLiteral("Summe: ");
    }

    void list()
    {
        QFETCH(QString, language);
        QFETCH(QString, total);
        QTranslator translator;
        if (!language.isEmpty()) {
            if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
                QUILLMARK_SKIP_MISSING("The de_DE.UTF-8 locale is not installed (scripts/test generates it)");
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            QVERIFY(translator.load(QStringLiteral(":/translations/quillmark_%1.qm").arg(language)));
            QCoreApplication::installTranslator(&translator);
        }
        const std::unique_ptr<QMimeData> data(ListText::ToMimeData(Shop()));
        QCoreApplication::removeTranslator(&translator);
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());

        QCOMPARE(data->text(), QStringLiteral("Shop\n"
                                              "[x] Bread  2.10\n"
                                              "[ ] Milk  0.99  3/7/2002\n"
                                              "[x] Stamps  3/7/2002\n"
                                              "[ ]   *a* _b_ [c](d) <i>e</i> `f` ~g~ \\ &amp; & #  \n")
                                     + total + QStringLiteral("3.09"));
        QCOMPARE(Markdown(*data), QStringLiteral("# Shop\n"
                                                 "\n"
                                                 "- [x] Bread  2.10\n"
                                                 "- [ ] Milk  0.99  3/7/2002\n"
                                                 "- [x] Stamps  3/7/2002\n"
                                                 "- [ ] \\*a\\* \\_b\\_ \\[c\\](d) \\<i\\>e\\</i\\> \\`f\\` \\~g\\~ "
                                                 "\\\\ \\&amp; & \\#\n"
                                                 "\n")
                                          .toUtf8()
                         + total.toUtf8() + "3.09");
    }

    // An item copied alone is its line; a list whose sum shows as 0.00 has
    // no total, and a price that shows as 0.00 is left off its line.
    void itemAndNothingToPay()
    {
        const std::unique_ptr<QMimeData> item(ListText::ToMimeData(Item(QStringLiteral("Milk"), 0.99, false, true)));
        QCOMPARE(item->text(), QStringLiteral("[ ] Milk  0.99  3/7/2002"));
        QCOMPARE(Markdown(*item), QByteArray("- [ ] Milk  0.99  3/7/2002"));

        const CListItemArray list = QuillmarkTest::List(
                QStringLiteral("Even\nout"), {Item(QStringLiteral("a"), 0.1, false, false), Item(QStringLiteral("b"), 0.2, false, false),
                                             Item(QStringLiteral("c"), -0.3, false, false), Item(QStringLiteral("d"), 0.001, false, false)});
        QVERIFY(list.Total() != 0.0);
        const std::unique_ptr<QMimeData> data(ListText::ToMimeData(list));
        QCOMPARE(data->text(), QStringLiteral("Even out\n[ ] a  0.10\n[ ] b  0.20\n[ ] c  -0.30\n[ ] d"));
        QCOMPARE(Markdown(*data), QByteArray("# Even out\n\n- [ ] a  0.10\n- [ ] b  0.20\n- [ ] c  -0.30\n- [ ] d"));
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestListText)
#include "tst_listtext.moc"
