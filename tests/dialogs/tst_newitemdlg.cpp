#include "dialogs/DescriptionEdit.h"
#include "dialogs/IconChooser.h"
#include "dialogs/NewItemDlg.h"
#include "tests/dialogs/ChooserRows.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimeEdit>

#include <limits>

namespace {

using QuillmarkTest::Local;
using ChooserRows::Click;
using ChooserRows::InView;

// 2 March 2021, 09:41:07 in Berlin: what "now" is for these tests.
const CalendarTime kNow = 1614674467;

} // namespace

class TestNewItemDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CalendarTimeOps::SetNowForTesting(kNow); }
    void cleanupTestCase() { CalendarTimeOps::ClearNowForTesting(); }

    void iconNumberSelectsRow_data();
    void iconNumberSelectsRow();
    void newItemStartsEmptyAndNeedsAName();
    void priceField_data();
    void priceField();
    void datedItemTakesPickedDayAndTime_data();
    void datedItemTakesPickedDayAndTime();
    void untouchedPickersGiveTheSameInstant_data();
    void untouchedPickersGiveTheSameInstant();
    void shortDateShowsTheFullYear();
    void typedDates_data();
    void typedDates();
    void tabFollowsTheFormsOrder();
    void largerFormGivesTheRoomToTheTexts();
    void enterPressesOKShiftEnterStartsNewLine();
    void descriptionKeepsItsLineBreaks();
    void wordLongerThanTheLineWrapsAnywhere();
    void longLineIsShownInPiecesAndReadWhole();
};

void TestNewItemDlg::iconNumberSelectsRow_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("clickRow"); // -1 leaves the chooser alone
    QTest::addColumn<bool>("unselect");
    QTest::addColumn<int>("handedBack");
    QTest::newRow("3, below the strip: row 0") << 3 << 0 << -1 << false << 5;
    QTest::newRow("last offered") << 50 << 45 << -1 << false << 50;
    QTest::newRow("beyond the chooser: kept") << 56 << -1 << -1 << false << 56;
    QTest::newRow("row 2 chosen") << 30 << 25 << 2 << false << 7;
    // With the row taken away again, the caller's number comes back.
    QTest::newRow("row taken away") << 30 << 25 << 25 << true << 30;
}

void TestNewItemDlg::iconNumberSelectsRow()
{
    QFETCH(int, icon);
    QFETCH(int, row);
    QFETCH(int, clickRow);
    QFETCH(bool, unselect);
    QFETCH(int, handedBack);
    ScriptedPrompter prompter;
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Lamp");
    dlg.m_nIcon = icon;
    dlg.show();

    QCOMPARE(dlg.IconChooser()->SelectedRow(), row);
    if (row >= 0)
        QVERIFY(InView(dlg.IconChooser(), row));
    if (clickRow >= 0) {
        Click(dlg.IconChooser(), clickRow, unselect ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(dlg.IconChooser()->SelectedRow(), unselect ? -1 : clickRow);
    }
    dlg.OKButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_nIcon, handedBack);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::newItemStartsEmptyAndNeedsAName()
{
    ScriptedPrompter prompter;
    prompter.ExpectMessage(QStringLiteral("New Item must have a name."));
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_date = dlg.m_time = CalendarTimeOps::TodayAtNoon();
    dlg.show();

    QCOMPARE(dlg.windowTitle(), QStringLiteral("New Item"));
    QCOMPARE(dlg.NameField()->text(), QString());
    QCOMPARE(dlg.DescriptionField()->toPlainText(), QString());
    QCOMPARE(dlg.PriceField()->text(), QStringLiteral("0"));
    QCOMPARE(dlg.DatedBox()->isChecked(), false);
    QCOMPARE(dlg.DateField()->date(), QDate(2021, 3, 2));
    QCOMPARE(dlg.TimeField()->time(), QTime(12, 0, 0));
    QCOMPARE(dlg.TimeField()->text(), QStringLiteral("12:00"));
    QCOMPARE(dlg.IconChooser()->topLevelItem(45)->text(0), QStringLiteral("45"));
    QCOMPARE(dlg.IconChooser()->SelectedRow(), 0);
    QCOMPARE(dlg.focusWidget(), dlg.NameField());

    // Without a name OK keeps the dialog and everything put in.
    dlg.DescriptionField()->setPlainText(QStringLiteral("two of them"));
    dlg.PriceField()->setText(QStringLiteral("4.20"));
    dlg.DatedBox()->setChecked(true);
    Click(dlg.IconChooser(), 9);
    dlg.OKButton()->click();

    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.focusWidget(), dlg.NameField());
    QM_VERIFY_PROMPTS(prompter);

    // A blank name is a name; what was put in before is handed back.
    dlg.NameField()->setText(QStringLiteral(" "));
    dlg.OKButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strName, QStringLiteral(" "));
    QCOMPARE(dlg.m_strDesc, QStringLiteral("two of them"));
    QCOMPARE(dlg.m_dPrice, 4.2);
    QCOMPARE(dlg.m_bDated, true);
    QCOMPARE(dlg.m_nIcon, 14);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::priceField_data()
{
    QTest::addColumn<double>("price"); // the caller's
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed"); // null: the field is left alone
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QLocale>("locale");
    const QLocale c = QLocale::c();
    // More digits than a number's default text keeps: typed in again by
    // hand, it must still be the same number.
    QTest::newRow("many digits, typed again") << 123456789.123 << QStringLiteral("123456789.123")
                                              << QStringLiteral("123456789.123") << false << c;
    // A price no one could type (from a damaged file) is not refused when
    // the field was not touched: the item keeps what it had.
    QTest::newRow("infinite, left alone") << std::numeric_limits<double>::infinity() << QStringLiteral("inf")
                                          << QString() << false << c;
    QTest::newRow("decimal comma") << 19.99 << QStringLiteral("19.99") << QStringLiteral("12,50") << true << c;
    // Where the comma is the decimal separator it is one; the point still is.
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("German comma") << 3.99 << QStringLiteral("3.99") << QStringLiteral("3,99") << false << german;
    QTest::newRow("German point") << 3.99 << QStringLiteral("3.99") << QStringLiteral("3.99") << false << german;
}

void TestNewItemDlg::priceField()
{
    QFETCH(double, price);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QLocale, locale);
    ScriptedPrompter prompter;
    if (refused)
        prompter.ExpectMessage(QStringLiteral("Please enter a number for the price, for example 12.50."));
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Chair");
    dlg.m_dPrice = price;
    dlg.PriceField()->setLocale(locale);
    dlg.show();
    QCOMPARE(dlg.PriceField()->text(), shown);

    if (!typed.isNull()) {
        dlg.PriceField()->clear();
        QTest::keyClicks(dlg.PriceField(), typed);
    }
    dlg.OKButton()->click();
    QCOMPARE(dlg.isVisible(), refused);
    QCOMPARE(dlg.result(), int(refused ? QDialog::Rejected : QDialog::Accepted));
    if (refused) {
        QCOMPARE(dlg.focusWidget(), dlg.PriceField());
        QCOMPARE(dlg.PriceField()->text(), typed);
    }
    QM_COMPARE_BITS(dlg.m_dPrice, price);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::datedItemTakesPickedDayAndTime_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::newRow("29 Feb 2004, last minute") << QDate(2004, 2, 29) << QTime(23, 59);
    QTest::newRow("first offered day") << QDate(1900, 1, 1) << QTime(0, 0, 0);
    QTest::newRow("last offered day") << QDate(9999, 12, 31) << QTime(23, 59);
    QTest::newRow("summer time") << QDate(2021, 7, 1) << QTime(12, 0, 0);
}

void TestNewItemDlg::datedItemTakesPickedDayAndTime()
{
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    ScriptedPrompter prompter;
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Dentist");
    dlg.m_date = dlg.m_time = CalendarTimeOps::TodayAtNoon();
    dlg.show();

    QCOMPARE(dlg.DateField()->minimumDate(), CNewItemDlg::FirstDate());
    QCOMPARE(dlg.DateField()->maximumDate(), CNewItemDlg::LastDate());
    dlg.DatedBox()->setChecked(true);
    dlg.DateField()->setDate(date);
    dlg.TimeField()->setTime(time);
    QCOMPARE(dlg.DateField()->date(), date);
    dlg.OKButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.m_bDated);

    LocalFields f;
    QVERIFY(CalendarTimeOps::ToLocal(dlg.CombinedDateTime(), f));
    QCOMPARE(QDate(f.year, f.month, f.day), date);
    QCOMPARE(QTime(f.hour, f.minute, f.second), time);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::untouchedPickersGiveTheSameInstant_data()
{
    QTest::addColumn<CalendarTime>("when");
    QTest::addColumn<QDate>("shown");
    // 31 October 2021 02:30 happened twice in Berlin: first in summer time
    // (00:30 UTC), then again an hour later in winter time (01:30 UTC).
    QTest::newRow("first 02:30") << CalendarTime(1635640200) << QDate(2021, 10, 31);
    QTest::newRow("second 02:30") << CalendarTime(1635643800) << QDate(2021, 10, 31);
    // Before the days the picker offers: shown as it is, not moved.
    QTest::newRow("1850") << Local(1850, 5, 4, 10, 0, 0) << QDate(1850, 5, 4);
}

void TestNewItemDlg::untouchedPickersGiveTheSameInstant()
{
    QFETCH(CalendarTime, when);
    QFETCH(QDate, shown);
    QVERIFY(when != 0);
    ScriptedPrompter prompter;
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Clocks");
    dlg.m_bDated = true;
    dlg.m_date = dlg.m_time = when;
    dlg.show();
    QCOMPARE(dlg.DateField()->date(), shown);

    dlg.NameField()->setText(QStringLiteral("Clocks back"));
    dlg.OKButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.CombinedDateTime(), when);
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::shortDateShowsTheFullYear()
{
    // The American short date has a two-digit year; 2100 must not read as 00.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CNewItemDlg dlg;
    QLocale::setDefault(QLocale::c());
    dlg.m_date = dlg.m_time = Local(2100, 6, 15, 8, 30, 0);
    dlg.show();
    QCOMPARE(dlg.DateField()->text(), QStringLiteral("6/15/2100"));
}

void TestNewItemDlg::typedDates_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("cursor"); // where the user clicked in the field's text
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDate june(2100, 6, 15); // "6/15/2100", "15.06.2100"
    // Digits where the part is whole already start it afresh.
    QTest::newRow("en month digit") << us << june << 1 << QStringLiteral("1") << QDate(2100, 1, 15);
    QTest::newRow("en month two digits") << us << june << 0 << QStringLiteral("12") << QDate(2100, 12, 15);
    QTest::newRow("en day") << us << june << 4 << QStringLiteral("3") << QDate(2100, 6, 3);
    QTest::newRow("en year") << us << june << 9 << QStringLiteral("2024") << QDate(2024, 6, 15);
    QTest::newRow("de month digit") << de << june << 5 << QStringLiteral("1") << QDate(2100, 1, 15);
    QTest::newRow("de day") << de << june << 0 << QStringLiteral("28") << QDate(2100, 6, 28);
    // Month names, in a run as in a list; the day kept where the month has it.
    QTest::newRow("en Jan") << us << june << 1 << QStringLiteral("Jan") << QDate(2100, 1, 15);
    QTest::newRow("en dec") << us << june << 1 << QStringLiteral("dec") << QDate(2100, 12, 15);
    QTest::newRow("en May after Ma") << us << june << 1 << QStringLiteral("May") << QDate(2100, 5, 15);
    QTest::newRow("en Feb from the 31st") << us << QDate(2024, 1, 31) << 1 << QStringLiteral("Feb") << QDate(2024, 2, 29);
    QTest::newRow("de Mär") << de << june << 4 << QString::fromUtf8("Mär") << QDate(2100, 3, 15);
    QTest::newRow("de Mar without the accent") << de << june << 4 << QStringLiteral("Mar") << QDate(2100, 3, 15);
    QTest::newRow("de Januar") << de << june << 4 << QStringLiteral("Januar") << QDate(2100, 1, 15);
    QTest::newRow("de Juli") << de << june << 4 << QStringLiteral("Jul") << QDate(2100, 7, 15);
}

void TestNewItemDlg::typedDates()
{
    QFETCH(QLocale, locale);
    QFETCH(QDate, from);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QLocale::setDefault(locale);
    CNewItemDlg dlg;
    QLocale::setDefault(QLocale::c());
    dlg.m_bDated = true;
    dlg.m_date = dlg.m_time = Local(from.year(), from.month(), from.day(), 12, 0);
    dlg.show();
    QDateEdit *field = dlg.DateField();
    field->setFocus();
    field->findChild<QLineEdit *>()->setCursorPosition(cursor);
    // Key by key with its text: keyClicks() takes ASCII alone.
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    field->interpretText(); // as leaving the field does: "1" stands for "01"
    QCOMPARE(field->date(), date);
}

void TestNewItemDlg::tabFollowsTheFormsOrder()
{
    CNewItemDlg dlg;
    dlg.show();
    const QList<QWidget *> order{dlg.NameField(), dlg.DescriptionField(), dlg.PriceField(), dlg.IconChooser(),
                                 dlg.DatedBox(),  dlg.DateField(),        dlg.TimeField(),  dlg.OKButton(),
                                 dlg.CancelButton()};
    const auto focused = [&dlg, &order] {
        // A date or time field has the focus through its text part.
        QWidget *focus = dlg.focusWidget();
        while (focus && !order.contains(focus))
            focus = focus->parentWidget();
        return focus;
    };
    QList<QWidget *> visited{focused()};
    // Tab first steps through the parts of a date or a time.
    for (int presses = 0; visited.size() < order.size() && presses < 30; ++presses) {
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        if (focused() != visited.last())
            visited << focused();
    }
    QCOMPARE(visited, order);
}

void TestNewItemDlg::largerFormGivesTheRoomToTheTexts()
{
    CNewItemDlg dlg;
    dlg.show();
    const auto places = [&dlg] {
        return QList<QRect>{dlg.NameField()->geometry(), dlg.DescriptionField()->geometry(),
                            dlg.PriceField()->geometry(),  dlg.IconChooser()->geometry(),
                            dlg.DateField()->geometry(),   dlg.OKButton()->geometry()};
    };
    const QList<QRect> before = places();
    dlg.resize(dlg.width() + 160, dlg.height() + 100);
    const QList<QRect> after = places();

    QCOMPARE(after[0], before[0].adjusted(0, 0, 160, 0));
    QCOMPARE(after[1], before[1].adjusted(0, 0, 160, 100));
    QCOMPARE(after[2], before[2].adjusted(0, 100, 160, 100));
    QCOMPARE(after[3], before[3].adjusted(160, 0, 160, 100)); // still right of the texts
    QCOMPARE(after[4], before[4].translated(0, 100));
    QCOMPARE(after[5], before[5].translated(80, 100)); // the buttons in the middle at the bottom

    // Back at the smallest size the form offers, everything is where it was.
    dlg.resize(100, 100);
    QCOMPARE(dlg.size(), QSize(240, 268));
    QCOMPARE(places(), before);

    // Under a desktop font a quarter larger the form opens wider by a
    // quarter, and the texts have that room.
    const QFont normal = QApplication::font();
    const auto restore = qScopeGuard([normal] { QApplication::setFont(normal); });
    QFont larger = normal;
    larger.setPointSizeF(normal.pointSizeF() * 1.25);
    QApplication::setFont(larger);
    CNewItemDlg large;
    large.show();
    QCOMPARE(large.size(), QSize(300, 268));
    QVERIFY2(large.NameField()->width() >= before[0].width() + 50, qPrintable(QString::number(large.NameField()->width())));
}

void TestNewItemDlg::enterPressesOKShiftEnterStartsNewLine()
{
    ScriptedPrompter prompter;
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Paint");
    dlg.show();

    dlg.DescriptionField()->setFocus();
    QTest::keyClicks(dlg.DescriptionField(), QStringLiteral("white"));
    QTest::keyClick(dlg.DescriptionField(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(dlg.DescriptionField(), QStringLiteral("matt"));
    QTest::keyClick(dlg.DescriptionField(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClicks(dlg.DescriptionField(), QStringLiteral("5 l"));
    QVERIFY(dlg.isVisible());

    QTest::keyClick(dlg.DescriptionField(), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.m_strDesc, QStringLiteral("white\nmatt\n5 l"));
    QM_VERIFY_PROMPTS(prompter);
}

void TestNewItemDlg::descriptionKeepsItsLineBreaks()
{
    ScriptedPrompter prompter;
    const QString crLf = QStringLiteral("line one\r\nline two");
    for (const QString &added : {QString(), QStringLiteral("!")}) {
        CNewItemDlg dlg(nullptr, &prompter);
        dlg.m_strName = QStringLiteral("Note");
        dlg.m_strDesc = crLf;
        dlg.show();
        QCOMPARE(dlg.DescriptionField()->toPlainText(), QStringLiteral("line one\nline two"));
        dlg.DescriptionField()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dlg.DescriptionField(), added);
        dlg.OKButton()->click();
        QCOMPARE(dlg.m_strDesc, crLf + added);
    }
    QM_VERIFY_PROMPTS(prompter);
}

// A word longer than the line is broken anywhere; laid out word by word,
// a description of one 300,000-character word froze the form for half a
// minute. Other texts keep their words whole, and the text itself is kept
// as it was.
void TestNewItemDlg::wordLongerThanTheLineWrapsAnywhere()
{
    ScriptedPrompter prompter;
    const QString word(300000, u'w');
    for (const QString &desc : {QStringLiteral("a few words"), QStringLiteral("see ") + word + QStringLiteral(" end")}) {
        CNewItemDlg dlg(nullptr, &prompter);
        dlg.m_strName = QStringLiteral("Note");
        dlg.m_strDesc = desc;
        dlg.show();
        QCOMPARE(dlg.DescriptionField()->wordWrapMode(),
                 desc.size() > word.size() ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
        dlg.DescriptionField()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dlg.DescriptionField(), QStringLiteral("!"));
        dlg.OKButton()->click();
        QCOMPARE(dlg.m_strDesc, desc + u'!');
    }
    // Once the long word is gone, words are whole again.
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Note");
    dlg.m_strDesc = word;
    dlg.show();
    dlg.DescriptionField()->setPlainText(QStringLiteral("short"));
    QCOMPARE(dlg.DescriptionField()->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QM_VERIFY_PROMPTS(prompter);
}

// A line of thousands of characters is shown as pieces; what is read back
// has no break where a piece ends, its own line breaks, no-break spaces and
// line separators as they were. Backspace and Delete at a piece's end take
// the letter beyond it.
void TestNewItemDlg::longLineIsShownInPiecesAndReadWhole()
{
    ScriptedPrompter prompter;
    const auto text = [](int xs) {
        return QString(xs, u'x') + QChar(QChar::Nbsp) + QString(5000, u'y') + u'\n' + QChar(QChar::LineSeparator)
                + QStringLiteral("end");
    };
    CNewItemDlg dlg(nullptr, &prompter);
    dlg.m_strName = QStringLiteral("Note");
    dlg.m_strDesc = text(5000);
    dlg.show();
    CDescriptionEdit *field = dlg.DescriptionField();
    QVERIFY(field->blockCount() > 3);
    QCOMPARE(field->Text(), text(5000));
    QTextCursor cursor = field->textCursor();
    cursor.setPosition(field->document()->firstBlock().next().position());
    field->setTextCursor(cursor);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->Text(), text(4998));
    dlg.OKButton()->click();
    QCOMPARE(dlg.m_strDesc, text(4998));
    QM_VERIFY_PROMPTS(prompter);
}

QUILLMARK_TEST_MAIN(TestNewItemDlg)
#include "tst_newitemdlg.moc"
