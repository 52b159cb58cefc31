#include "app/HelpPage.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QTemporaryDir>

class TestHelpPage : public QObject
{
    Q_OBJECT

private slots:
    void installedPageFirstThenTheSources();
};

namespace {

const QString kSourcePage = QStringLiteral(QUILLMARK_SOURCE_DIR "/res/help/quillmark.htm");

} // namespace

void TestHelpPage::installedPageFirstThenTheSources()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const QString installed = prefix.filePath(QStringLiteral("share/quillmark/help/quillmark.htm"));
    const QString sources = QFileInfo(kSourcePage).absolutePath();

    // With no page anywhere, still the path where it belongs.
    QCOMPARE(HelpPage::HelpPagePath(bin, prefix.filePath(QStringLiteral("nowhere"))), installed);
    // Run from the build folder: the sources' page.
    QCOMPARE(HelpPage::HelpPagePath(bin, sources), QDir(sources).filePath(QStringLiteral("quillmark.htm")));
    QVERIFY(QDir().mkpath(QFileInfo(installed).absolutePath()));
    QVERIFY(QuillmarkTest::WriteFileBytes(installed, {}));
    QCOMPARE(HelpPage::HelpPagePath(bin, sources), installed);
}

QUILLMARK_TEST_MAIN(TestHelpPage)
#include "tst_helppage.moc"
