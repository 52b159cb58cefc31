#include "app/HelpPage.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TestHelpPage : public QObject
{
    Q_OBJECT

private slots:
    void prefersTheInstalledPage();
    void missingPageStillGivesTheInstalledPath();
    void contentsUrlPointsAtTheAnchor();
};

namespace {

const QString kSourcePage = QStringLiteral(QUILLMARK_SOURCE_DIR "/res/help/quillmark.htm");

bool Touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

} // namespace

void TestHelpPage::prefersTheInstalledPage()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString installed = prefix.filePath(QStringLiteral("share/quillmark/help/quillmark.htm"));
    QVERIFY(Touch(installed));
    QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));

    QCOMPARE(HelpPage::HelpPagePath(prefix.filePath(QStringLiteral("bin")),
                                    QFileInfo(kSourcePage).absolutePath()),
             installed);
}

void TestHelpPage::missingPageStillGivesTheInstalledPath()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));

    QCOMPARE(HelpPage::HelpPagePath(prefix.filePath(QStringLiteral("bin")),
                                    prefix.filePath(QStringLiteral("nowhere"))),
             prefix.filePath(QStringLiteral("share/quillmark/help/quillmark.htm")));
}

void TestHelpPage::contentsUrlPointsAtTheAnchor()
{
    const QUrl url = HelpPage::ContentsUrl(QStringLiteral("/opt/q q/share/quillmark/help/quillmark.htm"));
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), QStringLiteral("/opt/q q/share/quillmark/help/quillmark.htm"));
    QCOMPARE(url.fragment(), QStringLiteral("Main_Contents"));
    QCOMPARE(url.toString(), QStringLiteral("file:///opt/q q/share/quillmark/help/quillmark.htm#Main_Contents"));
}

QUILLMARK_TEST_MAIN(TestHelpPage)
#include "tst_helppage.moc"
