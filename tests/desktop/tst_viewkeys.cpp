#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"
#include "view/ViewLook.h"

using namespace ViewTest;

namespace {

// A key gives the command of the button at its place in the mode, whatever
// is selected, so a start or two per mode is enough here (what each command
// does with the selection is tst_viewbuttons').
enum class Start { TreeList, TreeItem, ItemsRowSelected, ItemFromItems };

// Where a run starts: the mode it shows and how it got there.
struct StartCase
{
    const char *name;
    Start start;
    Shown mode;
    void (*setUp)(Fixture<> &);
};

const StartCase kStartCases[] = {
        {"tree, list selected", Start::TreeList, Shown::Tree, [](Fixture<> &f) { f.Select(f.ListNode(1)); }},
        {"tree, item selected", Start::TreeItem, Shown::Tree, [](Fixture<> &f) { f.Select(f.ItemNode(0, 1)); }},
        {"items, row selected", Start::ItemsRowSelected, Shown::Items, [](Fixture<> &f) { f.OpenList(0); f.SelectRows({2}); }},
        {"item opened from the table", Start::ItemFromItems, Shown::Item,
         [](Fixture<> &f) { f.OpenList(1); f.SelectRows({1}); f.Run("Open"); }},
};

// A view set up as `start` says, which notes the commands (by their
// actions' names) that run from then on.
struct Run
{
    Fixture<> f;
    QStringList ran;

    explicit Run(Start start)
    {
        f.Start().activateWindow();
        for (const StartCase &s : kStartCases) {
            if (s.start == start)
                s.setUp(f);
        }
        for (QAction *action : f.view->findChildren<QAction *>())
            QObject::connect(action, &QAction::triggered, [this, action] { ran << action->objectName(); });
    }

    MenuView &View() { return *f.view; }
};

// A key and the command it gives, where the screen shows that command's
// button (in the tree, on the item screen, in the table); keys of the
// pop-up menu's entries give theirs everywhere. The back button's keys work
// with no button, leading nowhere: Alt+Left must never reach the tree, where
// it would close a node.
struct KeyCase
{
    const char *name;
    QKeyCombination key;
    const char *command;
    bool tree, item, items;
};

const KeyCase kKeyCases[] = {
        // The keyboard's Menu key is the row menu's, as everywhere on the desktop.
        {"Menu", Qt::Key_Menu, "Menu", false, false, false},
        {"Shift+F10", Qt::SHIFT | Qt::Key_F10, "Menu", true, true, true},
        {"Alt+M", Qt::ALT | Qt::Key_M, "Menu", true, true, true},
        {"F2", Qt::Key_F2, "Edit", true, true, true},
        {"Ctrl+E", Qt::CTRL | Qt::Key_E, "Edit", true, true, true},
        {"Return", Qt::Key_Return, "Open", true, false, true},
        {"keypad Enter", Qt::KeypadModifier | Qt::Key_Enter, "Open", true, false, true},
        {"Ctrl+D", Qt::CTRL | Qt::Key_D, "ToggleDone", false, true, false},
        {"Ctrl+T", Qt::CTRL | Qt::Key_T, "HandOver", false, true, false},
        {"Backspace", Qt::Key_Backspace, "Back", true, true, true},
        {"Alt+Left", Qt::ALT | Qt::Key_Left, "Back", true, true, true},
        {"Alt+Up", Qt::ALT | Qt::Key_Up, "Back", true, true, true},
        {"Ctrl+Q", Qt::CTRL | Qt::Key_Q, "Exit", true, true, true},
        {"Ctrl+L", Qt::CTRL | Qt::Key_L, "ViewLists", true, true, true},
        {"Ctrl+Shift+L", Qt::CTRL | Qt::SHIFT | Qt::Key_L, "EditLists", true, true, true},
        {"Ctrl+I", Qt::CTRL | Qt::Key_I, "Import", true, true, true},
        {"Ctrl+Shift+E", Qt::CTRL | Qt::SHIFT | Qt::Key_E, "Export", true, true, true},
};

void Press(QWidget &view, QKeyCombination key)
{
    // Where the key really lands: the focus widget, as a person's key would.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &view;
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

} // namespace

class TestViewKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyDoesWhatItsButtonOrCommandDoes_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("command"); // none: the key does nothing there
        for (const StartCase &s : kStartCases) {
            for (const KeyCase &k : kKeyCases) {
                const bool there = s.mode == Shown::Tree ? k.tree : s.mode == Shown::Item ? k.item : k.items;
                QTest::addRow("%s: %s", s.name, k.name) << int(s.start) << k.key << QString::fromLatin1(there ? k.command : "");
            }
        }
    }

    // A key runs its command once, and nothing else; where the command
    // cannot be given it changes nothing.
    void keyDoesWhatItsButtonOrCommandDoes()
    {
        QFETCH(int, start);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, command);
        Run run{Start(start)};
        QVERIFY(QTest::qWaitForWindowActive(&run.View()));
        const Shown mode = run.f.Mode();
        const QModelIndex current = run.f.Current();
        Press(run.View(), key);
        QCOMPARE(run.ran, command.isEmpty() ? QStringList() : QStringList{QStringLiteral("action") + command});
        if (command.isEmpty()) {
            QCOMPARE(run.f.Mode(), mode);
            QCOMPARE(run.f.Current(), current);
            QCOMPARE(run.f.Lists(), SampleLists());
        }
    }

    // One run by keys alone: the menu key, the arrows (which no command
    // takes from the tree and the table; space ticking is the tree's own
    // test), and the focus following each screen.
    void keysAlongOneRun()
    {
        Run run(Start::TreeItem);
        MenuView &view = run.View();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(QApplication::focusWidget(), run.f.Tree());
        Press(view, Qt::SHIFT | Qt::Key_F10);
        QCOMPARE(view.timesShown, 1);
        QCOMPARE(view.firstEntryActive, true);

        Press(view, Qt::Key_Up);
        QCOMPARE(run.f.Current(), run.f.ItemNode(0, 0));
        Press(view, Qt::Key_Up);

        Press(view, Qt::Key_Return);
        QCOMPARE(run.f.Mode(), Shown::Items);
        QCOMPARE(QApplication::focusWidget(), run.f.Table());
        // The table's first row is current but not selected (so that the
        // pencil, with no row selected, still means List Setup): the first
        // Down selects it, the next one moves on.
        QCOMPARE(run.f.Table()->currentIndex(), run.f.TableRow(0));
        Press(view, Qt::Key_Down);
        QCOMPARE(run.f.SelectedRows(), QModelIndexList{run.f.TableRow(0)});
        Press(view, Qt::Key_Return);
        // The item screen starts with its name, a text of the view.
        QCOMPARE(QApplication::focusWidget()->parentWidget(), &view);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Name: Bread"));
        QCOMPARE(run.f.ItemOnShow()->m_strName, QStringLiteral("Bread"));
        Press(view, Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), run.f.Table());
        // The table that an item came back to still leads up to the tree.
        Press(view, Qt::Key_Backspace);
        QCOMPARE(run.f.Mode(), Shown::Tree);
        QCOMPARE(QApplication::focusWidget(), run.f.Tree());
    }

    // Resting on a button shows its tool tip (the texts of the item screen's
    // are the screen reader's test); the tick has the magnifier's place.
    void buttonTipsNameTheFaceAndItsKeys_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("tip");
        // The pencil and the magnifier say what they do on the screen on show.
        QTest::newRow("magnifier, tree") << int(Start::TreeList) << 3 << "Open the chosen list or item (Return, Enter)";
        QTest::newRow("pencil, tree")
                << int(Start::TreeList) << 2 << "Make and change lists in List Setup, or change the chosen item (F2, Ctrl+E)";
        QTest::newRow("magnifier, table") << int(Start::ItemsRowSelected) << 3 << "Open the chosen item (Return, Enter)";
        QTest::newRow("tick") << int(Start::ItemFromItems) << 3 << "Done or not done (Ctrl+D)";
        QTest::newRow("nothing drawn, tree") << int(Start::TreeList) << 4 << "";
    }

    void buttonTipsNameTheFaceAndItsKeys()
    {
        QFETCH(int, start);
        QFETCH(int, slot);
        QFETCH(QString, tip);
        Run run{Start(start)};
        MenuView &view = run.View();
        QCOMPARE(QuillmarkTest::TipAt(&view, ViewLook::ButtonRect(slot, view.height()).center()), tip);
    }
};

QUILLMARK_TEST_MAIN(TestViewKeys)
#include "tst_viewkeys.moc"
