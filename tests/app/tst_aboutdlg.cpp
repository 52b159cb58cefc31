#include "app/AboutDlg.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QLabel>

class TestAboutDlg : public QObject
{
    Q_OBJECT

private slots:
    void showsCaptionIconAndVersion();
    void closesOnKey_data();
    void closesOnKey();
};

void TestAboutDlg::showsCaptionIconAndVersion()
{
    CAboutDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About Quillmark"));
    QVERIFY(dlg.isModal());
    QVERIFY(dlg.findChildren<QAbstractButton *>().isEmpty());

    // The icon is drawn, beside the version and inside the box.
    const QLabel *icon = dlg.IconLabel();
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(dlg.rect().contains(icon->geometry()));
    QVERIFY(icon->geometry().right() < dlg.VersionLabel()->geometry().left());

    QCOMPARE(dlg.VersionLabel()->text(), QStringLiteral("Quillmark Version 1.01b"));
    QCOMPARE(dlg.VersionLabel()->textFormat(), Qt::PlainText);
    QCOMPARE(dlg.VersionLabel()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // The whole text fits, whatever the font.
    QVERIFY(dlg.VersionLabel()->width() >= dlg.VersionLabel()->sizeHint().width());
    QVERIFY(dlg.VersionLabel()->height() >= dlg.VersionLabel()->sizeHint().height());
    QVERIFY(dlg.VersionLabel()->geometry().right() < dlg.width());
}

void TestAboutDlg::closesOnKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
}

void TestAboutDlg::closesOnKey()
{
    QFETCH(int, key);
    QFETCH(int, result);
    ScriptedPrompter prompter;
    bool shownBefore = false;
    bool shownAfter = true;
    prompter.ExpectDialog<CAboutDlg>([&](CAboutDlg &d) {
        shownBefore = d.isVisible();
        QTest::keyClick(&d, Qt::Key(key));
        shownAfter = d.isVisible();
        return d.result();
    });
    CAboutDlg dlg;
    QCOMPARE(prompter.Run(dlg), result);
    QVERIFY(shownBefore);
    QVERIFY(!shownAfter);
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestAboutDlg)
#include "tst_aboutdlg.moc"
