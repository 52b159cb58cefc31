// Feeds every input kept in a fuzz target's corpus to that target, so each
// test run replays the seeds and every input that once failed. Built with
// the normal compiler; the target's own checks abort on a failure.

#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (LLVMFuzzerInitialize)
            LLVMFuzzerInitialize(nullptr, nullptr);
    }

    void replay_data()
    {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(QUILLMARK_FUZZ_CORPUS));
        const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!names.isEmpty(), QUILLMARK_FUZZ_CORPUS);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    void replay()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                                        static_cast<size_t>(input.size())),
                 0);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
