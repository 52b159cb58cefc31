// The program in the user's language. Each run is a fresh process of this
// test, started with a locale in its environment as a desktop starts the
// program, and driven through the same steps: under German it speaks German
// (its own texts and Qt's), and what it writes (the data file, the CSV export,
// the hand-over's .ics files) is byte for byte what it writes under C.

#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "dialogs/DescriptionEdit.h"
#include "dialogs/NewItemDlg.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

#include <functional>
#include <locale.h>

using namespace ViewTest;

namespace {

// Set in the environment of a run; names the file its report goes to.
constexpr char kReportVariable[] = "QUILLMARK_LANGUAGE_REPORT";

// Calls `act` with the widget once `find` sees it: a pop-up menu or a
// message box shows inside a loop of its own, after the step that opens it.
void WhenShown(const std::function<QWidget *()> &find, const std::function<void(QWidget *)> &act)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, find, act] {
        if (QWidget *widget = find()) {
            poll->deleteLater();
            poll->stop();
            act(widget);
        }
    });
    poll->start(10);
}

// One run of the program, in this process: ticks "Bread", edits "Milk"
// (a price typed with a point, a date), exports the groceries through the
// pop-up menu, hands "Milk" over, asks a question in a real message box and
// exits. What it showed goes into the report.
int RunProgram(int &argc, char **argv)
{
    CQuillmarkApp app(argc, argv);
    QJsonObject report;
    ScriptedPrompter prompter;
    prompter.ExpectDialog<CNewItemDlg>([&report](CNewItemDlg &d) {
        report[QStringLiteral("itemDialog")] = d.windowTitle();
        d.DescriptionField()->setPlainText(QStringLiteral("two litres"));
        d.PriceField()->setText(QStringLiteral("12.50"));
        d.DatedBox()->setChecked(true);
        d.DateField()->setDate(QDate(2024, 3, 7));
        d.TimeField()->setTime(QTime(14, 30));
        d.OKButton()->click();
        return d.result();
    });
    prompter.ExpectAnyMessage(); // the export
    prompter.ExpectAnyMessage(); // the hand-over
    if (!app.InitInstance(prompter))
        return 2;
    QCoreApplication::sendPostedEvents();

    CMainFrame *frame = app.MainFrame();
    CQuillmarkView *view = frame->View();
    auto *tree = view->findChild<QTreeView *>(QStringLiteral("listTree"));
    const auto select = [tree](int item) { tree->setCurrentIndex(QuillmarkTest::TreeNode(*tree, 0, item)); };
    const auto run = [view](const char *command) {
        view->findChild<QAction *>(QStringLiteral("action") + QLatin1String(command))->trigger();
    };

    select(0);
    QTest::keyClick(tree, Qt::Key_Space);
    QMenu *edit = frame->menuBar()->actions().at(1)->menu();
    QStringList edits{edit->title()};
    for (const QAction *action : edit->actions())
        edits << action->text();
    report[QStringLiteral("editMenu")] = edits.join(u'|');

    select(1);
    run("Edit");

    select(-1);
    WhenShown([] { return QApplication::activePopupWidget(); }, [](QWidget *popup) {
        auto *menu = qobject_cast<QMenu *>(popup);
        for (QAction *action : menu->actions()) {
            if (action->objectName() == QLatin1String("actionExport"))
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    // The window is active, as under the pointer of a person.
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame))
        return 4;
    run("Menu");

    select(1);
    run("Open");
    run("HandOver");

    WhenShown([] { return QApplication::activeModalWidget(); }, [&report](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        report[QStringLiteral("question")] = box->text();
        report[QStringLiteral("questionFormat")] = int(box->textFormat());
        // Enter on a removal question must not remove.
        report[QStringLiteral("questionDefault")] = box->defaultButton() == box->button(QMessageBox::No);
        report[QStringLiteral("questionButtons")] =
                box->button(QMessageBox::Yes)->text() + u'|' + box->button(QMessageBox::No)->text();
        box->button(QMessageBox::No)->click();
    });
    // List Setup's question, looked up in the translation as it does, on a
    // name that markup would change.
    Prompter::Standard().AskYesNo(view, Tr::tr("Are you sure you want to remove the item '%1'?")
                                                .arg(QStringLiteral("<b>Milk</b>")));

    report[QStringLiteral("messages")] = prompter.Shown().join(u'|');
    report[QStringLiteral("problems")] = prompter.Problems().join(u'|');
    QTimer::singleShot(0, view, [view] { emit view->exitRequested(); });
    report[QStringLiteral("exitCode")] = app.exec();

    QFile out(qEnvironmentVariable(kReportVariable));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(report).toJson()) < 0)
        return 3;
    return 0;
}

// What a run left behind: its report, and the files it wrote.
struct Run
{
    std::unique_ptr<QTemporaryDir> home;
    QJsonObject report;
    bool endedWell = false; // the process exited, with 0

    QString Shown(const char *key) const { return report.value(QLatin1String(key)).toString(); }
    QString DataFolder() const { return home->filePath(QStringLiteral("data/Fernwise/Quillmark")); }
    QByteArray DataFile() const { return FileBytes(DataFolder() + QStringLiteral("/Quillmark.dat")); }
    QByteArray Csv() const { return FileBytes(home->filePath(QStringLiteral("Documents/Quillmark.csv"))); }

    // The hand-over's files, less what differs from run to run anyway (the
    // item's UID, the moment it was written and, for a done task, the moment
    // it was handed over as completed).
    QByteArray Ics(const QString &folder) const
    {
        QByteArray all;
        const QDir dir(DataFolder() + QStringLiteral("/pim/") + folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.ics")}, QDir::Files)) {
            for (const QByteArray &line : FileBytes(dir.filePath(name)).split('\n')) {
                if (!line.startsWith("UID:") && !line.startsWith("DTSTAMP:") && !line.startsWith("COMPLETED:"))
                    all += line + '\n';
            }
        }
        return all;
    }
};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void germanLocaleSpeaksGerman();
    void cLocaleSpeaksEnglish();
    void filesAreTheSameInEveryLanguage();

private:
    // Starts a run with LANG and LC_ALL set to `locale` and LANGUAGE to
    // `language` (unset when empty).
    static Run Start(const QString &locale, const QString &language);

    Run m_german;
    Run m_c;
};

Run TestLanguage::Start(const QString &locale, const QString &language)
{
    Run run;
    run.home = std::make_unique<QTemporaryDir>();
    const QString home = run.home->path();
    if (!QDir().mkpath(run.DataFolder()) || !QDir().mkpath(home + QStringLiteral("/config/Fernwise"))
        || !WriteDataFile(run.DataFolder() + QStringLiteral("/Quillmark.dat"), SampleLists()))
        return run;
    // An item goes to both the tasks and the calendar.
    if (!QuillmarkTest::WriteFileBytes(home + QStringLiteral("/config/Fernwise/Quillmark.conf"), "[Settings]\nITEMAPPT=1\n"))
        return run;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    if (language.isEmpty())
        env.remove(QStringLiteral("LANGUAGE"));
    else
        env.insert(QStringLiteral("LANGUAGE"), language);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QString::fromLatin1(kReportVariable), home + QStringLiteral("/report.json"));

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QCoreApplication::applicationFilePath(), {});
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.endedWell = program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    run.report = QJsonDocument::fromJson(FileBytes(home + QStringLiteral("/report.json"))).object();
    return run;
}

void TestLanguage::initTestCase()
{
    const locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (!german)
        QUILLMARK_SKIP_MISSING("The de_DE.UTF-8 locale is not installed (scripts/test generates it)");
    freelocale(german);
    m_german = Start(QStringLiteral("de_DE.UTF-8"), QString());
    // Under the C locale the C library takes no language from LANGUAGE;
    // neither does the program.
    m_c = Start(QStringLiteral("C"), QStringLiteral("de"));
    for (const Run *run : {&m_german, &m_c}) {
        QVERIFY2(run->endedWell && !run->report.isEmpty(), "a run failed or ended without its report");
        const QByteArray shown = QJsonDocument(run->report).toJson();
        QVERIFY2(run->Shown("problems").isEmpty(), shown.constData());
        QVERIFY2(run->report.value(QLatin1String("exitCode")).toInt(-1) == 0, shown.constData());
    }
}

void TestLanguage::germanLocaleSpeaksGerman()
{
    QCOMPARE(m_german.Shown("editMenu"),
             QStringLiteral("&Bearbeiten|&Rückgängig: „Bread“ abhaken|Wieder&herstellen"));
    QCOMPARE(m_german.Shown("itemDialog"), QStringLiteral("Eintrag bearbeiten"));
    QCOMPARE(m_german.Shown("messages"),
             QStringLiteral("Die Datei „Quillmark.csv“ wurde im Ordner „%1“ angelegt.|"
                            "Der Eintrag wurde zu den Aufgaben und Terminen hinzugefügt.")
                     .arg(m_german.home->filePath(QStringLiteral("Documents"))));
    // The real message box shows a name as it is written.
    QCOMPARE(m_german.Shown("question"), QStringLiteral("Möchten Sie den Eintrag „<b>Milk</b>“ wirklich entfernen?"));
    QCOMPARE(m_german.report.value(QLatin1String("questionFormat")).toInt(), int(Qt::PlainText));
    QVERIFY(m_german.report.value(QLatin1String("questionDefault")).toBool());
    // Qt's own buttons come from Qt's German catalogue.
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
        QUILLMARK_SKIP_MISSING("Qt's German translations are not installed (qt6-translations-l10n)");
    QCOMPARE(m_german.Shown("questionButtons"), QStringLiteral("&Ja|&Nein"));
}

void TestLanguage::cLocaleSpeaksEnglish()
{
    // No catalogue at all is loaded: one text of the program's and Qt's
    // buttons tell.
    QCOMPARE(m_c.Shown("editMenu"), QStringLiteral("&Edit|&Undo Tick 'Bread'|&Redo"));
    QCOMPARE(m_c.Shown("questionButtons"), QStringLiteral("&Yes|&No"));
}

void TestLanguage::filesAreTheSameInEveryLanguage()
{
    // The runs changed what they should have: a tick, a price and a date.
    const CListItemArray groceries = ReadDataFile(m_c.DataFolder() + QStringLiteral("/Quillmark.dat")).value(0);
    QCOMPARE(groceries.m_items.value(0).m_bDone, true);
    QCOMPARE(groceries.m_items.value(1).m_dPrice, 12.5);
    QVERIFY(groceries.m_items.value(1).m_bDated);
    QVERIFY(m_c.Csv().contains("12.50"));
    QVERIFY(m_c.Ics(QStringLiteral("calendar")).contains("DTSTART:20240307T143000"));

    QCOMPARE(m_german.DataFile(), m_c.DataFile());
    QCOMPARE(m_german.Csv(), m_c.Csv());
    QCOMPARE(m_german.Ics(QStringLiteral("tasks")), m_c.Ics(QStringLiteral("tasks")));
    QCOMPARE(m_german.Ics(QStringLiteral("calendar")), m_c.Ics(QStringLiteral("calendar")));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kReportVariable))
        return RunProgram(argc, argv);
    QuillmarkTest::PinCoreEnvironment();
    QCoreApplication app(argc, argv);
    TestLanguage tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_language.moc"
