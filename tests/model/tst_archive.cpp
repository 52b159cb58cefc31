#include "model/Archive.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QBuffer>
#include <QStringEncoder>

using QuillmarkTest::Hex;
using QuillmarkTest::SequentialBuffer;
using QuillmarkTest::StringBytes;

namespace {

// As another encoder writes it, whatever the machine's byte order.
QByteArray Utf16Le(const QString &text)
{
    return QStringEncoder(QStringConverter::Utf16LE).encode(text);
}

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT

private slots:
    void writesWideStringPrefix_data();
    void writesWideStringPrefix();
    void readsEveryLengthForm_data();
    void readsEveryLengthForm();
    void refusesMalformedStrings_data();
    void refusesMalformedStrings();
    void stopsAtFirstFailure();
};

void TestArchive::writesWideStringPrefix_data()
{
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QByteArray>("prefix");
    // Marker FF FE FF, then the length: one byte below 255, FF and a word
    // below 0xFFFE, else FF FF FF and a double word.
    QTest::newRow("empty") << qsizetype(0) << Hex("fffeff00");
    QTest::newRow("254") << qsizetype(254) << Hex("fffefffe");
    QTest::newRow("255") << qsizetype(255) << Hex("fffeffffff00");
    QTest::newRow("0xfffd") << qsizetype(0xFFFD) << Hex("fffeffff fdff");
    QTest::newRow("0xfffe") << qsizetype(0xFFFE) << Hex("fffeffffffff feff0000");
    QTest::newRow("70000") << qsizetype(70000) << Hex("fffeffffffff 70110100");
}

void TestArchive::writesWideStringPrefix()
{
    QFETCH(qsizetype, length);
    QFETCH(QByteArray, prefix);
    QString text(length, QChar(u'\u20ac'));
    if (length > 0)
        text[0] = u'A';
    const QByteArray bytes = StringBytes(text);
    QCOMPARE(bytes.left(prefix.size()).toHex(' '), prefix.toHex(' '));
    QCOMPARE(bytes.mid(prefix.size()), Utf16Le(text));
}

void TestArchive::readsEveryLengthForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    // Older files hold narrow strings in Windows-1252.
    QTest::newRow("narrow euro") << Hex("02 8031") << QStringLiteral("\u20ac1");
    QTest::newRow("narrow word fffd") << Hex("fffdff") + QByteArray(0xFFFD, 'q') << QString(0xFFFD, u'q');
    QTest::newRow("wide word fffe") << Hex("fffeff fffeff") + Utf16Le(QString(0xFFFE, u'v'))
                                    << QString(0xFFFE, u'v');
}

void TestArchive::readsEveryLengthForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QBuffer buffer;
    buffer.setData(bytes + Hex("07000000"));
    buffer.open(QIODevice::ReadOnly);
    CArchiveReader reader(&buffer);
    QString text;
    QVERIFY2(reader.ReadString(text), qPrintable(reader.ErrorString()));
    QCOMPARE(text, expected);
    // The field after the string is where it should be.
    qint32 after = 0;
    QVERIFY(reader.ReadLong(after));
    QCOMPARE(after, 7);
    QVERIFY(reader.Ok());
}

void TestArchive::refusesMalformedStrings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<QString>("reason");

    const QByteArray padding(50, 'p');
    // A 64-bit length would follow: not something a list file can hold.
    QTest::newRow("wide 64-bit") << Hex("fffeff ffffff ffffffff 0100000000000000 4100") << false
                                 << QStringLiteral("a text has a malformed length (byte 6)");
    // Four billion characters announced in a 60-byte file.
    QTest::newRow("wide 4G") << Hex("fffeff ffffff feffffff") + padding << false
                             << QStringLiteral("a text is longer than the rest of the file (byte 0)");
    QTest::newRow("one byte short") << Hex("fffeff 03 410042") << false
                                    << QStringLiteral("a text is longer than the rest of the file (byte 0)");
    // A device that cannot tell its size reads on until the bytes run out.
    QTest::newRow("wide 4G, pipe") << Hex("fffeff ffffff feffffff") + padding << true
                                   << QStringLiteral("the file ends too early (byte 10)");
    QTest::newRow("cut in length") << Hex("fffeffff2c") << false
                                   << QStringLiteral("the file ends too early (byte 4)");
}

void TestArchive::refusesMalformedStrings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sequential);
    QFETCH(QString, reason);
    QBuffer buffer;
    buffer.setData(bytes);
    SequentialBuffer pipe(bytes);
    QIODevice *device = sequential ? static_cast<QIODevice *>(&pipe) : &buffer;
    device->open(QIODevice::ReadOnly);
    CArchiveReader reader(device);
    QString text = QStringLiteral("untouched");
    QVERIFY(!reader.ReadString(text));
    QVERIFY(!reader.Ok());
    QCOMPARE(reader.ErrorString(), reason);
}

void TestArchive::stopsAtFirstFailure()
{
    QBuffer buffer;
    buffer.setData(Hex("0100"));
    buffer.open(QIODevice::ReadOnly);
    CArchiveReader reader(&buffer);
    qint32 value = 0;
    QVERIFY(!reader.ReadLong(value));
    const QString first = reader.ErrorString();
    // Later reads fail too and keep the first reason, though bytes remain.
    quint16 word = 0;
    QVERIFY(!reader.ReadWord(word));
    QVERIFY(!reader.Fail(QStringLiteral("later")));
    QCOMPARE(reader.ErrorString(), first);
}

QUILLMARK_GUILESS_TEST_MAIN(TestArchive)
#include "tst_archive.moc"
