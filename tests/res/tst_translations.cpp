// The translations against the program's texts as they are now: lupdate
// reads the sources into a copy of each .ts file, and every text must have a
// finished translation that keeps the source's placeholders and mnemonic. A
// text added or reworded without its translation, or a translation that lost
// a %1 (and with it a file name the user needs) fails here.

#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

QList<Message> ReadTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            Message m{context, {}, {}, {}};
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    m.source = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    m.type = xml.attributes().value(QStringLiteral("type")).toString();
                    // A plural's forms are elements of their own.
                    m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages.append(m);
        }
    }
    return messages;
}

QSet<QString> Placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(text))
        found.insert(m.captured());
    return found;
}

// The mnemonic marks; "&&" is a plain ampersand.
qsizetype Mnemonics(QString text)
{
    return text.remove(QStringLiteral("&&")).count(u'&');
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslatedFaithfully_data();
    void everyTextIsTranslatedFaithfully();
};

void TestTranslations::everyTextIsTranslatedFaithfully_data()
{
    QTest::addColumn<QString>("ts");
    const QDir translations(QStringLiteral(QUILLMARK_SOURCE_DIR "/res/translations"));
    for (const QString &name : translations.entryList({QStringLiteral("*.ts")}, QDir::Files))
        QTest::newRow(qPrintable(name)) << translations.filePath(name);
    QVERIFY(!translations.isEmpty());
}

void TestTranslations::everyTextIsTranslatedFaithfully()
{
    QFETCH(QString, ts);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QFileInfo(ts).fileName());
    QVERIFY(QFile::copy(ts, copy));

    QStringList arguments;
    for (const QString &layer : QStringLiteral(QUILLMARK_LAYERS).split(u' ', Qt::SkipEmptyParts))
        arguments << QStringLiteral(QUILLMARK_SOURCE_DIR "/") + layer;
    // Includes are found as the build finds them: lupdate takes the context
    // of Tr::tr() from res/Tr.h.
    arguments << QStringLiteral("-I") << QStringLiteral(QUILLMARK_SOURCE_DIR);
    arguments << QStringLiteral("-locations") << QStringLiteral("none") << QStringLiteral("-silent")
              << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.start(QStringLiteral(QUILLMARK_LUPDATE), arguments);
    QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
    QCOMPARE(lupdate.exitCode(), 0);

    QStringList faults;
    const QList<Message> messages = ReadTs(copy);
    for (const Message &m : messages) {
        const QString where = QStringLiteral("%1: \"%2\"").arg(m.context, m.source);
        if (m.type == u"vanished" || m.type == u"obsolete")
            faults << where + QStringLiteral(" is no longer in the program");
        else if (m.type == u"unfinished" || m.translation.isEmpty())
            faults << where + QStringLiteral(" has no finished translation");
        else if (Placeholders(m.source) != Placeholders(m.translation))
            faults << where + QStringLiteral(" and its translation differ in their placeholders");
        else if (Mnemonics(m.source) != Mnemonics(m.translation))
            faults << where + QStringLiteral(" and its translation differ in their mnemonic");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QVERIFY(messages.size() > 100); // lupdate really read the program
}

QUILLMARK_GUILESS_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
