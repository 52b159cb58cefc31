#include "ical/ItemFields.h"
#include "sync/ItemMerge.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

using namespace QuillmarkTest;

namespace {

// An item written in a line: "Milk /fresh $1.50 * @15 #12" is Milk, described
// "fresh", 1.50, done, dated 15 March 2024 at noon, icon 12; "-" is an item
// removed on that side.
std::optional<CListItem> ItemFrom(const QString &text)
{
    if (text == u"-")
        return std::nullopt;
    Item item;
    item.m_nIcon = 5;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u'/'))
            item.Desc(word.mid(1));
        else if (word.startsWith(u'$'))
            item.Price(word.mid(1).toDouble());
        else if (word == u"*")
            item.Done();
        else if (word.startsWith(u'@'))
            item.Dated(Local(2024, 3, word.mid(1).toInt(), 12, 0));
        else if (word.startsWith(u'#'))
            item.Icon(word.mid(1).toInt());
        else
            item.SetName(word);
    }
    return item;
}

QString Print(const std::optional<CListItem> &item)
{
    if (!item)
        return QStringLiteral("-");
    QStringList words{item->m_strName};
    if (!item->m_strDesc.isEmpty())
        words << u'/' + item->m_strDesc.ToString();
    if (item->m_dPrice != 0)
    {
        // Two places, or as many as it takes to tell a price the server
        // would round.
        QString price = QString::number(item->m_dPrice, 'f', 2);
        if (price.toDouble() != item->m_dPrice)
            price = QString::number(item->m_dPrice, 'g', 15);
        words << u'$' + price;
    }
    if (item->m_bDone)
        words << QStringLiteral("*");
    if (item->m_bDated)
        words << QStringLiteral("@%1").arg(LocalText(item->m_time).section(u'-', 2, 2).section(u' ', 0, 0));
    if (item->m_nIcon != 5)
        words << QStringLiteral("#%1").arg(item->m_nIcon);
    return words.join(u' ');
}

} // namespace

class TestItemMerge : public QObject
{
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<QString>("base");   // "" when there is no agreed copy
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("merged"); // "-" when removed on both
        QTest::addColumn<QString>("second"); // the server's version kept too, or "-"

        QTest::newRow("nothing changed") << "Milk $1.00" << "Milk $1.00" << "Milk $1.00" << "Milk $1.00" << "-";
        QTest::newRow("ticked on the phone") << "Milk" << "Milk" << "Milk *" << "Milk *" << "-";
        QTest::newRow("unticked here") << "Milk *" << "Milk" << "Milk *" << "Milk" << "-";
        QTest::newRow("different fields on each side")
                << "Milk $1.00" << "Milk $1.20 #9" << "Milk /fresh $1.00 @15" << "Milk /fresh $1.20 @15 #9" << "-";
        QTest::newRow("ticked on both") << "Milk" << "Milk *" << "Milk *" << "Milk *" << "-";
        QTest::newRow("done on both, unticked there after")
                << "Milk *" << "Milk" << "Milk" << "Milk" << "-";
        QTest::newRow("done changed on both differently cannot be: a tick wins")
                << "" << "Milk" << "Milk *" << "Milk *" << "-";
        QTest::newRow("same new name on both") << "Milk" << "Oat" << "Oat" << "Oat" << "-";
        QTest::newRow("names changed differently: both kept")
                << "Milk $1.00" << "Oat $1.00 *" << "Soy $1.00" << "Oat $1.00 *" << "Soy $1.00";
        QTest::newRow("prices changed differently, the server's tick taken into this one")
                << "Milk $1.00" << "Milk $1.10" << "Milk $1.30 *" << "Milk $1.10 *" << "Milk $1.30 *";
        QTest::newRow("descriptions changed differently") << "Milk" << "Milk /a" << "Milk /b" << "Milk /a"
                                                          << "Milk /b";
        QTest::newRow("dates changed differently") << "Milk @1" << "Milk @2" << "Milk @3" << "Milk @2" << "Milk @3";
        QTest::newRow("date taken away here, moved there") << "Milk @1" << "Milk" << "Milk @3" << "Milk" << "Milk @3";
        QTest::newRow("icons changed differently: this computer's") << "Milk" << "Milk #7" << "Milk #8"
                                                                     << "Milk #7" << "-";
        QTest::newRow("a price the server rounded is no change")
                << "Milk $1.004" << "Milk $1.004" << "Milk $1.00 *" << "Milk $1.004 *" << "-";
        QTest::newRow("removed here, untouched there") << "Milk" << "-" << "Milk" << "-" << "-";
        QTest::newRow("removed there, untouched here") << "Milk" << "Milk" << "-" << "-" << "-";
        QTest::newRow("removed here, ticked there") << "Milk" << "-" << "Milk *" << "Milk *" << "-";
        QTest::newRow("removed there, renamed here") << "Milk" << "Oat" << "-" << "Oat" << "-";
        QTest::newRow("removed on both") << "Milk" << "-" << "-" << "-" << "-";
        QTest::newRow("first sync, same content") << "" << "Milk $2.00" << "Milk $2.00" << "Milk $2.00" << "-";
        QTest::newRow("first sync, different prices: both kept")
                << "" << "Milk $2.00" << "Milk $3.00" << "Milk $2.00" << "Milk $3.00";
        QTest::newRow("first sync, only here") << "" << "Milk" << "-" << "Milk" << "-";
        QTest::newRow("first sync, only there") << "" << "-" << "Milk" << "Milk" << "-";
    }
    void merge()
    {
        QFETCH(QString, base);
        QFETCH(QString, local);
        QFETCH(QString, server);
        QFETCH(QString, merged);
        QFETCH(QString, second);

        const ItemMerge::Outcome out = ItemMerge::Merge(base.isEmpty() ? std::nullopt : ItemFrom(base), ItemFrom(local),
                                                        ItemFrom(server));
        QCOMPARE(out.removed ? QStringLiteral("-") : Print(out.item), merged);
        QCOMPARE(Print(out.second), second);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestItemMerge)
#include "tst_itemmerge.moc"
