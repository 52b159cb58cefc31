// The real program as a person meets it, one run per child process: the
// application object built as main() builds it, started on awkward files
// and ended in every way, with nothing lost. A run that dies of a signal or
// hangs cannot take the test with it, and every run starts as fresh as a new
// process of the program does.

#include "app/MainFrame.h"
#include "app/QuillmarkApp.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewListDlg.h"
#include "document/QuillmarkDoc.h"
#include "model/DataStore.h"
#include "platform/AppPaths.h"
#include "res/Strings.h"
#include "tests/app/ExitQuestion.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPalette>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <functional>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ViewTest;

namespace {

// Root reads and writes any file; without these two capabilities it meets
// file modes as their owner, as any user does.
bool DropFileOverrides()
{
    if (::geteuid() != 0)
        return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    for (const unsigned cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        data[cap / 32].effective &= ~(1u << (cap % 32));
        data[cap / 32].permitted &= ~(1u << (cap % 32));
    }
    return ::syscall(SYS_capset, &header, data) == 0;
}

// One run of the program in a child process. `run` gets the application
// object and checks with QTest's macros; the child ends with 0 when they all
// held. Returns that, or 128 plus the signal that ended the child.
int RunProgram(const std::function<void(CQuillmarkApp &)> &run)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(30); // a run that hangs ends as a failure
        if (!DropFileOverrides())
            ::_exit(98);
        static char name[] = "quillmark";
        static char *argv[] = {name, nullptr};
        static int argc = 1;
        QuillmarkTest::PinCoreEnvironment();
        {
            CQuillmarkApp app(argc, argv);
            QuillmarkTest::PinGuiEnvironment();
            run(app);
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(QTest::currentTestFailed() ? 99 : 0);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Lets the messages of the start come: they wait for the window to be on
// the screen.
CQuillmarkView *OnScreen(CQuillmarkApp &app)
{
    if (!QTest::qWaitForWindowExposed(app.MainFrame()))
        return nullptr;
    QCoreApplication::sendPostedEvents();
    return app.MainFrame()->View();
}

CQuillmarkView *Start(CQuillmarkApp &app, Prompter &prompter)
{
    return app.InitInstance(prompter) ? OnScreen(app) : nullptr;
}

// "Exit" from the pop-up menu, inside the event loop; the loop's exit code.
int ExitFromMenu(CQuillmarkApp &app)
{
    CQuillmarkView *view = app.MainFrame()->View();
    QTimer::singleShot(0, view, [view] { emit view->exitRequested(); });
    return app.exec();
}

// Starts the program on the sample and ticks "Bread": a change that only a
// save writes.
CQuillmarkView *StartAndTick(CQuillmarkApp &app, Prompter &prompter)
{
    CQuillmarkView *view = Start(app, prompter);
    if (view)
        app.MainFrame()->Document()->SetDone(0, 0, true);
    return view;
}

// The sample with that tick.
CListCollection Ticked()
{
    CListCollection lists = SampleLists();
    lists[0].m_items[0].m_bDone = true;
    return lists;
}

bool SetWritable(const QString &path, bool writable)
{
    QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    if (writable)
        p |= QFileDevice::WriteOwner;
    return QFile::setPermissions(path, p);
}

// Why a save into the data file's folder fails just now.
QString SaveError(const QString &dataPath)
{
    CDataStore probe(dataPath);
    return probe.Save({}) ? QString() : probe.ErrorString();
}

int FileMode(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestWholeProgram : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStartShowsNoListsAndQuitSaves();
    void countThatSaysTooFewListsIsToldAndKept();
    void exitThatCannotSaveOffersAnotherFile();
    void quitWithRescueCopyIsToldNowAndAtTheNextStart();
    void unreadableDataFileIsNeverReplaced();
    void endSignalsSaveLikeTheCloseButton_data();
    void endSignalsSaveLikeTheCloseButton();
    void hintsStayReadableUnderDarkColours();

private:
    QString DataFolder() const { return m_home->filePath(QStringLiteral("data/Fernwise/Quillmark")); }
    QString DataPath() const { return DataFolder() + QStringLiteral("/Quillmark.dat"); }
    QString StateFolder() const { return m_home->filePath(QStringLiteral(".local/state/Fernwise/Quillmark")); }
    QString CacheFolder() const { return m_home->filePath(QStringLiteral("cache/Fernwise/Quillmark")); }
    QString ChosenFile() const { return m_home->filePath(QStringLiteral("Documents/Lists to keep.dat")); }

    std::unique_ptr<QTemporaryDir> m_home;
};

void TestWholeProgram::init()
{
    // The usual mask: what the program makes private, it makes so itself.
    ::umask(022);
    // A home of the test's own, also when it is run by hand.
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("cache"))));
    qputenv("XDG_DOCUMENTS_DIR", QFile::encodeName(m_home->filePath(QStringLiteral("Documents"))));
    qunsetenv("XDG_STATE_HOME");
    QVERIFY(QDir().mkpath(DataFolder()));
    QVERIFY(QDir().mkpath(QFileInfo(ChosenFile()).absolutePath()));
}

void TestWholeProgram::firstStartShowsNoListsAndQuitSaves()
{
    QVERIFY(QDir(DataFolder()).removeRecursively());
    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 // The start itself names the settings file and the data folder.
                 QCoreApplication::setOrganizationName(QString());
                 QCoreApplication::setApplicationName(QString());
                 ScriptedPrompter prompter;
                 QVERIFY(Start(app, prompter));
                 QCOMPARE(AppPaths::DataFilePath(), DataPath());
                 QVERIFY(!QApplication::windowIcon().isNull());
                 QVERIFY(!app.MainFrame()->isMaximized());
                 const auto *tree = app.MainFrame()->View()->findChild<CTreeOptionsCtrl *>();
                 QCOMPARE(tree->model()->rowCount(), 1);
                 QCOMPARE(tree->model()->rowCount(QuillmarkTest::TreeNode(*tree)), 0);
                 // The event loop ends by other means than Exit (as when the
                 // desktop session ends): the lists are saved all the same.
                 QTimer::singleShot(0, &app, &QCoreApplication::quit);
                 QCOMPARE(app.exec(), 0);
                 QM_VERIFY_PROMPTS(prompter);
             }),
             0);
    // No lists: the list count alone, in a file for the user alone.
    QCOMPARE(FileBytes(DataPath()), QByteArray(4, '\0'));
    QCOMPARE(FileMode(DataPath()), 0600);
}

void TestWholeProgram::countThatSaysTooFewListsIsToldAndKept()
{
    // Three lists whose count was damaged to one.
    QVERIFY(WriteDataFile(DataPath(), SampleLists()));
    QByteArray damaged = FileBytes(DataPath());
    damaged[0] = 1;
    QVERIFY(QuillmarkTest::WriteFileBytes(DataPath(), damaged));
    const qsizetype firstListEnds = QuillmarkTest::WriteToBytes(SampleLists().first(1)).size();
    // Files whose names only start like the data file's: the .bak written
    // for the damaged file is not taken for them, nor they for it.
    const QStringList others{QStringLiteral("Quillmark.dat.backup"), QStringLiteral("Quillmark.dat.before"),
                             QStringLiteral("Quillmark.dat.latest"), QStringLiteral("Quillmark.dat.AbCdEf")};
    for (const QString &name : others)
        QVERIFY(QuillmarkTest::WriteFileBytes(QDir(DataFolder()).filePath(name), name.toUtf8()));
    // The .bak keeps the lists as private as they were.
    QVERIFY(::chmod(QFile::encodeName(DataPath()).constData(), 0640) == 0);

    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 ScriptedPrompter prompter;
                 prompter.ExpectMessage(
                         QStringLiteral("Your lists could not be read completely from %1 (the file holds more "
                                        "than its list count announces (byte %2)). The lists read before the "
                                        "damage are shown. The file is kept as %1.bak before it is next saved.")
                                 .arg(DataPath())
                                 .arg(firstListEnds));
                 QVERIFY(app.InitInstance(prompter));
                 // Told over the window with what could be read, not
                 // before; the start itself writes nothing.
                 QVERIFY(prompter.Shown().isEmpty());
                 QCOMPARE(FileBytes(DataPath()), damaged);
                 QVERIFY(OnScreen(app));
                 QM_VERIFY_PROMPTS(prompter);
                 QCOMPARE(app.MainFrame()->Document()->Lists(), SampleLists().first(1));
                 QCOMPARE(ExitFromMenu(app), 0);
             }),
             0);
    QCOMPARE(FileBytes(DataPath() + QStringLiteral(".bak")), damaged);
    QCOMPARE(FileMode(DataPath() + QStringLiteral(".bak")), 0640);
    QCOMPARE(ReadDataFile(DataPath()), SampleLists().first(1));
    QCOMPARE(FileMode(DataPath()), 0640);
    for (const QString &name : others)
        QCOMPARE(FileBytes(QDir(DataFolder()).filePath(name)), name.toUtf8());
}

void TestWholeProgram::exitThatCannotSaveOffersAnotherFile()
{
    QVERIFY(WriteDataFile(DataPath(), SampleLists()));
    const QByteArray before = FileBytes(DataPath());

    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 ScriptedPrompter prompter;
                 QVERIFY(StartAndTick(app, prompter));
                 QVERIFY(SetWritable(DataFolder(), false));
                 const QString question = ExitQuestion(DataPath(), SaveError(DataPath()));
                 const QString tryAgain = QStringLiteral("Try Again");
                 const QString saveElsewhere = QStringLiteral("Save As...");
                 // Trying again is the default; the data file itself is no
                 // way out.
                 prompter.ExpectChoice(question, tryAgain, tryAgain);
                 prompter.ExpectChoice(question, saveElsewhere, tryAgain);
                 prompter.ExpectSaveFile(DataPath());
                 prompter.ExpectMessage(DataPath() + QStringLiteral(" is the file that cannot be saved. "
                                                                    "Please choose another file."));
                 prompter.ExpectChoice(question, saveElsewhere, tryAgain);
                 prompter.ExpectSaveFile(ChosenFile());
                 QCOMPARE(ExitFromMenu(app), 0);
                 QM_VERIFY_PROMPTS(prompter);
             }),
             0);
    QVERIFY(SetWritable(DataFolder(), true));
    QCOMPARE(FileBytes(DataPath()), before);
    QCOMPARE(ReadDataFile(ChosenFile()), Ticked());
}

void TestWholeProgram::quitWithRescueCopyIsToldNowAndAtTheNextStart()
{
    QVERIFY(WriteDataFile(DataPath(), SampleLists()));

    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 ScriptedPrompter prompter;
                 QVERIFY(StartAndTick(app, prompter));
                 QVERIFY(SetWritable(DataFolder(), false));
                 prompter.ExpectChoice(ExitQuestion(DataPath(), SaveError(DataPath())),
                                       QStringLiteral("Quit, Keep a Rescue Copy"), QStringLiteral("Try Again"));
                 prompter.ExpectAnyMessage();
                 QCOMPARE(ExitFromMenu(app), 0);
                 QM_VERIFY_PROMPTS(prompter);
                 const QStringList copies = FilesIn(StateFolder());
                 QCOMPARE(copies.size(), 1);
                 QCOMPARE(prompter.Shown().last(),
                          QStringLiteral("Your lists were kept in the rescue copy %1. To use them again, put "
                                         "that file in place of %2 while Quillmark is not running.")
                                  .arg(QDir(StateFolder()).filePath(copies.at(0)), DataPath()));
             }),
             0);
    QVERIFY(SetWritable(DataFolder(), true));
    const QStringList copies = FilesIn(StateFolder());
    QCOMPARE(copies.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^Quillmark-rescue-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.dat$"))
                     .match(copies.at(0))
                     .hasMatch(),
             qPrintable(copies.at(0)));
    const QString copy = QDir(StateFolder()).filePath(copies.at(0));
    QCOMPARE(ReadDataFile(copy), Ticked());
    QCOMPARE(ReadDataFile(DataPath()), SampleLists());
    // The user's alone, in a folder nobody else may enter.
    QCOMPARE(FileMode(copy), 0600);
    QCOMPARE(FileMode(StateFolder()), 0700);

    // The next start says where the copy is, once.
    for (const bool told : {true, false}) {
        QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                     ScriptedPrompter prompter;
                     if (told)
                         prompter.ExpectMessage(
                                 QStringLiteral("When Quillmark last ended, your lists could not be saved to %2 "
                                                "and were kept in the rescue copy %1. The lists shown now are "
                                                "those of %2. To use the rescued ones, quit Quillmark and put "
                                                "that file in place of %2.")
                                         .arg(copy, DataPath()));
                     QVERIFY(Start(app, prompter));
                     QM_VERIFY_PROMPTS(prompter);
                 }),
                 0);
    }
}

void TestWholeProgram::unreadableDataFileIsNeverReplaced()
{
    QVERIFY(WriteDataFile(DataPath(), SampleLists()));
    const QByteArray before = FileBytes(DataPath());
    QVERIFY(QFile::setPermissions(DataPath(), {}));

    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 QFile probe(DataPath());
                 QVERIFY(!probe.open(QIODevice::ReadOnly));
                 ScriptedPrompter prompter;
                 prompter.ExpectMessage(
                         QStringLiteral("Your lists could not be read from %1 (%2). The file is left as it is: "
                                        "Quillmark will not save over it. When you quit, you can save the lists "
                                        "shown here to another file.")
                                 .arg(DataPath(), Str::FileReadError(probe.errorString())));
                 CQuillmarkView *view = Start(app, prompter);
                 QVERIFY(view);
                 QM_VERIFY_PROMPTS(prompter);
                 QVERIFY(app.MainFrame()->Document()->Lists().isEmpty());

                 // A list made now is not saved over the file, and the user
                 // hears why at once.
                 const CListCollection made = Lists(QStringLiteral("Made today: First"));
                 prompter.ExpectDialog<CListSetupDlg>([&](CListSetupDlg &d) {
                     d.m_lists = made;
                     d.OKButton()->click();
                     return d.result();
                 });
                 const QString notReplaced =
                         QStringLiteral("the file could not be read when Quillmark started, so it is not replaced");
                 prompter.ExpectMessage(Str::SaveFailed(DataPath(), notReplaced));
                 // "Edit Lists...", as the pencil opens it with nothing
                 // chosen in the tree.
                 view->findChild<QAction *>(QStringLiteral("actionEdit"))->trigger();

                 // Exit offers another file for it.
                 prompter.ExpectChoice(ExitQuestion(DataPath(), notReplaced), QStringLiteral("Save As..."),
                                       QStringLiteral("Try Again"));
                 prompter.ExpectSaveFile(ChosenFile());
                 QCOMPARE(ExitFromMenu(app), 0);
                 QM_VERIFY_PROMPTS(prompter);
                 QCOMPARE(ReadDataFile(ChosenFile()), made);
             }),
             0);
    QVERIFY(QFile::setPermissions(DataPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(FileBytes(DataPath()), before);
    QCOMPARE(FilesIn(DataFolder()), QStringList{QStringLiteral("Quillmark.dat")});
}

void TestWholeProgram::endSignalsSaveLikeTheCloseButton_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("nowhereToSave");
    QTest::addColumn<bool>("duringImport"); // once its progress dialog is up
    QTest::newRow("SIGTERM") << int(SIGTERM) << false << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false << false;
    QTest::newRow("SIGTERM, data and state folders not writable") << int(SIGTERM) << true << false;
    QTest::newRow("SIGTERM during an import") << int(SIGTERM) << false << true;
}

void TestWholeProgram::endSignalsSaveLikeTheCloseButton()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, nowhereToSave);
    QFETCH(bool, duringImport);
    QVERIFY(WriteDataFile(DataPath(), SampleLists()));
    const QString stateHome = m_home->filePath(QStringLiteral(".local/state"));
    QVERIFY(QDir().mkpath(stateHome));
    // Lines with the five fields that an import never set up reads.
    const QString csv = m_home->filePath(QStringLiteral("Documents/long.csv"));
    QVERIFY(!duringImport || QuillmarkTest::WriteFileBytes(csv, QByteArray("a,,,,\n").repeated(2000000)));

    // Nobody is asked anything, but what the import needs.
    QCOMPARE(RunProgram([&](CQuillmarkApp &app) {
                 ScriptedPrompter prompter;
                 CQuillmarkView *view = StartAndTick(app, prompter);
                 QVERIFY(view);
                 if (nowhereToSave) {
                     QVERIFY(SetWritable(DataFolder(), false));
                     QVERIFY(SetWritable(stateHome, false));
                 }
                 QTimer whenImporting;
                 if (duringImport) {
                     prompter.ExpectDialog<CNewListDlg>([](CNewListDlg &d) {
                         d.NameField()->setText(QStringLiteral("Long"));
                         d.OKButton()->click();
                         return d.result();
                     });
                     prompter.ExpectOpenFile(csv);
                     QTimer::singleShot(0, view, [view] { emit view->importRequested(); });
                     whenImporting.setInterval(10);
                     QObject::connect(&whenImporting, &QTimer::timeout, [&] {
                         const auto *progress = app.MainFrame()->findChild<QProgressDialog *>();
                         if (progress && progress->isVisible()) {
                             whenImporting.stop();
                             ::raise(signalNumber);
                         }
                     });
                     whenImporting.start();
                 } else {
                     QTimer::singleShot(0, [signalNumber] { ::raise(signalNumber); });
                 }
                 QCOMPARE(app.exec(), nowhereToSave ? EXIT_FAILURE : EXIT_SUCCESS);
                 QVERIFY(!duringImport || !whenImporting.isActive());
                 QM_VERIFY_PROMPTS(prompter);
             }),
             0);
    QVERIFY(SetWritable(DataFolder(), true));
    QVERIFY(SetWritable(stateHome, true));
    if (!nowhereToSave) {
        QCOMPARE(ReadDataFile(DataPath()), Ticked());
        return;
    }
    // The rescue copy went to the cache folder.
    QCOMPARE(ReadDataFile(DataPath()), SampleLists());
    const QStringList copies = FilesIn(CacheFolder());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(ReadDataFile(QDir(CacheFolder()).filePath(copies.at(0))), Ticked());
}

void TestWholeProgram::hintsStayReadableUnderDarkColours()
{
    QCOMPARE(RunProgram([](CQuillmarkApp &app) {
                 // A dark scheme that brings no hint colour of its own, as
                 // some desktops' settings do: the light one's grey stays.
                 QPalette colours = QApplication::palette();
                 const QColor ground(27, 30, 32);
                 colours.setColor(QPalette::Base, ground);
                 colours.setColor(QPalette::Text, QColor(239, 240, 241));
                 colours.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
                 app.setPalette(colours);
                 const QColor hint = QApplication::palette().color(QPalette::PlaceholderText);
                 const double seen = hint.alphaF() * hint.lightness() + (1 - hint.alphaF()) * ground.lightness();
                 QVERIFY2(seen - ground.lightness() >= 60, qPrintable(hint.name(QColor::HexArgb)));
                 // A light scheme's own readable grey is left as it is.
                 colours.setColor(QPalette::Base, Qt::white);
                 colours.setColor(QPalette::Text, Qt::black);
                 colours.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
                 app.setPalette(colours);
                 QCOMPARE(QApplication::palette().color(QPalette::PlaceholderText), QColor(0, 0, 0, 128));
             }),
             0);
}

int main(int argc, char *argv[])
{
    // No application object here: each run makes its own in a child.
    TestWholeProgram tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_wholeprogram.moc"
