// Damaged data files: cut at a thousand places, a bit flipped anywhere,
// fields far out of range. Nothing may crash, a cut file keeps exactly its
// complete lists, and whatever loads as complete saves whole and loads back
// equal.

#include "model/DataFile.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QRandomGenerator>

using namespace QuillmarkTest;
using DataFile::LoadStatus;

namespace {

// About a megabyte in many shapes: the small sample, lists of many short
// and long items, texts longer than the reader's 64 KB pieces.
CListCollection MegabyteSample()
{
    CListCollection lists = RichSample();
    QRandomGenerator random(20020307);
    for (int l = 0; l < 12; ++l) {
        List list(QStringLiteral("List %1 \u00e9\u20ac").arg(l));
        list.Icon(5 + l);
        const int items = 40 + l * 15;
        for (int i = 0; i < items; ++i) {
            const int descLength = random.bounded(530);
            list.m_items.append(Item(QStringLiteral("Item %1").arg(i, 4, 10, QLatin1Char('0')))
                                        .Desc(QString(descLength, QChar(u'a' + i % 26)))
                                        .Price(i * 0.25 - 7)
                                        .Done(i % 3 == 0)
                                        .Dated(Local(1990 + i % 60, 1 + i % 12, 1 + i % 28, i % 24, i % 60), i % 2 == 0));
        }
        if (l == 5)
            list.m_items.append(Item(QString(70000, u'\u0416')).Desc(QString(300, u'd')).Price(1));
        lists.append(list);
    }
    return lists;
}

} // namespace

class TestDataFileHostile : public QObject
{
    Q_OBJECT

private slots:
    void cutFileKeepsTheCompleteLists();
    void everySingleBitFlip();
    void timesBeyondTheFileYearsLoadAsSaved_data();
    void timesBeyondTheFileYearsLoadAsSaved();
};

// A cut file keeps every list before the cut and none after it: cut at
// every byte of the small sample's records, from memory and through a pipe,
// then at a thousand places of the rest.
void TestDataFileHostile::cutFileKeepsTheCompleteLists()
{
    const CListCollection lists = MegabyteSample();
    const QByteArray bytes = WriteToBytes(lists);
    QVERIFY2(bytes.size() > 1000 * 1000 && bytes.size() < 1100 * 1000, qPrintable(QString::number(bytes.size())));
    // The byte offset where each prefix of the collection ends in its file.
    QList<qsizetype> ends;
    for (qsizetype k = 0; k <= lists.size(); ++k)
        ends.append(WriteToBytes(lists.first(k)).size());
    QCOMPARE(ends.last(), bytes.size());

    // What is wrong with reading the file cut there; empty when nothing is.
    const auto problem = [&](qsizetype cut, bool sequential) {
        CListCollection read = Sentinel();
        const DataFile::LoadResult result = ReadBytes(bytes.left(cut), read, sequential);
        qsizetype complete = 0;
        while (complete + 1 < ends.size() && ends.at(complete + 1) <= cut)
            ++complete;
        // Too short for the list count: what was held is left alone.
        const CListCollection expected = cut < 4 ? Sentinel() : lists.first(complete);
        if (result.status == LoadStatus::Damaged && !result.errorString.isEmpty() && read == expected)
            return QString();
        return QStringLiteral("cut at %1%2: %3 lists kept, %4 expected, reason \"%5\"")
                .arg(cut).arg(sequential ? QStringLiteral(" (pipe)") : QString())
                .arg(read.size()).arg(expected.size()).arg(result.errorString);
    };
    QStringList problems;
    for (qsizetype cut = 0; cut < ends.at(RichSample().size()); ++cut)
        problems << problem(cut, false) << problem(cut, true);
    constexpr qsizetype kCuts = 1000;
    for (qsizetype i = 0; i < kCuts; ++i)
        problems << problem(i * bytes.size() / kCuts, i % 2 == 1);
    problems.removeAll(QString());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0)));

    CListCollection whole;
    QCOMPARE(ReadBytes(bytes, whole).status, LoadStatus::Complete);
    QCOMPARE(whole, lists);
}

void TestDataFileHostile::everySingleBitFlip()
{
    const QByteArray bytes = WriteToBytes(RichSample());
    int complete = 0;
    int damaged = 0;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray flipped = bytes;
            flipped[at] = static_cast<char>(flipped.at(at) ^ (1 << bit));
            CListCollection read;
            const DataFile::LoadResult result = ReadBytes(flipped, read);
            if (result.status == LoadStatus::Damaged) {
                ++damaged;
                if (result.errorString.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("byte %1 bit %2: damaged without a reason").arg(at).arg(bit)));
                continue;
            }
            QCOMPARE(result.status, LoadStatus::Complete);
            ++complete;
            // Whatever loads as complete is saved whole. Everything else is
            // damaged, and the store keeps the file as .bak before the first
            // save while the user is told: no flip lets a save drop lists or
            // items silently.
            const qsizetype savedSize = WriteToBytes(read).size();
            if (savedSize < flipped.size())
                QFAIL(qPrintable(QStringLiteral("byte %1 bit %2: complete, yet a save would drop %3 of its %4 bytes")
                                         .arg(at).arg(bit).arg(flipped.size() - savedSize).arg(flipped.size())));
            // Loaded means usable: it saves and loads back the same.
            CListCollection again;
            QCOMPARE(ReadBytes(WriteToBytes(read), again).status, LoadStatus::Complete);
            if (again != read) {
                // NaN prices compare unequal to themselves; compare the bytes.
                if (WriteToBytes(again) != WriteToBytes(read))
                    QFAIL(qPrintable(QStringLiteral("byte %1 bit %2: does not load back equal").arg(at).arg(bit)));
            }
        }
    }
    // Most flips land in texts, prices and dates and still load.
    QCOMPARE(complete + damaged, bytes.size() * 8);
    QVERIFY(complete > damaged);
}

void TestDataFileHostile::timesBeyondTheFileYearsLoadAsSaved_data()
{
    QTest::addColumn<QByteArray>("fields");
    QTest::addColumn<QString>("loaded");
    // Year, month, day of week, day, hour, minute, second, milliseconds.
    QTest::newRow("month 65535 of year 65535") << Hex("ffff ffff 0000 0100 0000 0000 0000 0000")
                                               << QStringLiteral("65535-12-31 23:59:59");
    QTest::newRow("month 0 of year 0") << Hex("0000 0000 0000 0100 0000 0000 0000 0000")
                                       << QStringLiteral("0-1-1 0:0:0");
    QTest::newRow("second 60 of the last second") << Hex("ffff 0c00 0000 1f00 1700 3b00 3c00 0000")
                                                  << QStringLiteral("65535-12-31 23:59:59");
    // Out of range, yet within the years: normalised as before.
    QTest::newRow("day 0 of March") << Hex("d207 0300 0000 0000 0d00 0f00 0000 0000")
                                    << QStringLiteral("2002-2-28 13:15:0");
}

void TestDataFileHostile::timesBeyondTheFileYearsLoadAsSaved()
{
    QFETCH(QByteArray, fields);
    QFETCH(QString, loaded);
    // One list, unnamed, with one item whose texts are empty.
    const QByteArray file = Hex("01000000 00 00000000 01000000")
            + Hex("00 06000000 00 00000000 01000000 0000000000002940") + fields;
    CListCollection lists;
    QCOMPARE(ReadBytes(file, lists).status, LoadStatus::Complete);
    QCOMPARE(LocalText(lists.at(0).m_items.at(0).m_time), loaded);
    CListCollection again;
    QCOMPARE(ReadBytes(WriteToBytes(lists), again).status, LoadStatus::Complete);
    QCOMPARE(again.at(0).m_items.at(0).m_time, lists.at(0).m_items.at(0).m_time);
}

QUILLMARK_GUILESS_TEST_MAIN(TestDataFileHostile)
#include "tst_datafilehostile.moc"
