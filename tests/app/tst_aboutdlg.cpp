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
    void closesOnReturnAndEnter();
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

void TestAboutDlg::closesOnReturnAndEnter()
{
    ScriptedPrompter prompter;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        bool shownBefore = false;
        bool shownAfter = true;
        prompter.ExpectDialog<CAboutDlg>([&](CAboutDlg &d) {
            shownBefore = d.isVisible();
            QTest::keyClick(&d, key);
            shownAfter = d.isVisible();
            return d.result();
        });
        CAboutDlg dlg;
        QCOMPARE(prompter.Run(dlg), int(QDialog::Accepted));
        QVERIFY(shownBefore);
        QVERIFY2(!shownAfter, qPrintable(QKeySequence(key).toString()));
    }
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestAboutDlg)
#include "tst_aboutdlg.moc"
