#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"

#include <QSignalSpy>

#include <memory>

using namespace ViewTest;

namespace {

// A key runs what the button at its place in the mode runs, whatever is
// selected, so one start per mode is enough here (what each button does with
// the selection is tst_viewbuttons'); the table without a way back has the
// back button's place but not its face.
enum class Start {
    TreeList,
    TreeItem,
    ItemsRowSelected,
    ItemFromItems,
};

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
        {"items, row selected", Start::ItemsRowSelected, Shown::Items,
         [](Fixture<> &f) {
             f.OpenList(0);
             f.SelectRows({2});
         }},
        {"item opened from the table", Start::ItemFromItems, Shown::Item,
         [](Fixture<> &f) {
             f.OpenList(1);
             f.SelectRows({1});
             f.Run("Open");
         }},
};

struct Run
{
    Fixture<> f;
    QStringList asked; // what the view asked the application for
    std::unique_ptr<QSignalSpy> exits;

    explicit Run(Start start)
    {
        MenuView &view = f.Start();
        view.activateWindow();
        exits = std::make_unique<QSignalSpy>(&view, &CQuillmarkView::exitRequested);
        QObject::connect(&view, &CQuillmarkView::exportRequested, [this](int list) { asked << QStringLiteral("export %1").arg(list); });
        QObject::connect(&view, &CQuillmarkView::importRequested, [this] { asked << QStringLiteral("import"); });
        QObject::connect(&view, &CQuillmarkView::handOverRequested,
                         [this](const CListItem &item) { asked << QStringLiteral("hand over ") + item.m_strName; });
        for (const StartCase &s : kStartCases) {
            if (s.start == start)
                s.setUp(f);
        }
    }

    MenuView &View() { return *f.view; }

    // Everything a button or a command can change, written out so that two
    // runs compare field by field: what is shown and painted (the details,
    // the total, whether the back button is there), the lists, the file,
    // the history, the selection, and what was asked.
    QStringList State()
    {
        MenuView &view = View();
        QStringList state;
        // The view's own painting, without the tree's and the table's (whose
        // look follows the focus).
        QImage picture(view.size(), QImage::Format_RGB32);
        view.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        state << QStringLiteral("shown %1 picture %2")
                         .arg(int(f.Mode()))
                         .arg(QString::number(qHashBits(picture.constBits(), picture.sizeInBytes())));
        for (const CListItemArray &list : f.Lists()) {
            QString marks = list.m_strName + QLatin1Char(':');
            for (const CListItem &item : list.m_items)
                marks += item.m_bDone ? QLatin1Char('x') : QLatin1Char('-');
            state << marks;
        }
        state << QStringLiteral("file %1").arg(QString::number(qHash(FileBytes(f.path))));
        state << QStringLiteral("steps %1").arg(f.History().count());
        state << QStringLiteral("exits %1 menus %2").arg(exits->size()).arg(view.timesShown);
        state << QStringLiteral("tree at ") + f.Current().data().toString();
        for (const QModelIndex &row : f.SelectedRows())
            state << QStringLiteral("row ") + row.data().toString(); // what the pencil would edit
        // Every prompt is unexpected here and answered with Cancel or No.
        state << f.prompter.Problems() << asked;
        return state;
    }
};

// What a key stands for in each mode: the left edge of the button it
// presses (8 ... 133) or 0 for nothing at all; or, in every mode, the
// pop-up menu entry it runs.
struct KeyCase
{
    const char *name;
    QKeyCombination key;
    int tree, item, items;
    const char *entry = nullptr;
};

const KeyCase kKeyCases[] = {
        {"Menu", Qt::Key_Menu, 33, 33, 33},
        {"Shift+F10", Qt::SHIFT | Qt::Key_F10, 33, 33, 33},
        {"Alt+M", Qt::ALT | Qt::Key_M, 33, 33, 33},
        {"F2", Qt::Key_F2, 58, 58, 58},
        {"Ctrl+E", Qt::CTRL | Qt::Key_E, 58, 58, 58},
        {"Return", Qt::Key_Return, 83, 0, 83},
        {"keypad Enter", Qt::KeypadModifier | Qt::Key_Enter, 83, 0, 83},
        {"Ctrl+D", Qt::CTRL | Qt::Key_D, 0, 83, 0},
        {"Ctrl+T", Qt::CTRL | Qt::Key_T, 0, 108, 0},
        {"Backspace", Qt::Key_Backspace, 0, 133, 108},
        {"Alt+Left", Qt::ALT | Qt::Key_Left, 0, 133, 108},
        {"Alt+Up", Qt::ALT | Qt::Key_Up, 0, 133, 108},
        {"Ctrl+Q", Qt::CTRL | Qt::Key_Q, 8, 8, 8},
        {"Ctrl+L", Qt::CTRL | Qt::Key_L, 0, 0, 0, "View Lists..."},
        {"Ctrl+Shift+L", Qt::CTRL | Qt::SHIFT | Qt::Key_L, 0, 0, 0, "Edit Lists..."},
        {"Ctrl+I", Qt::CTRL | Qt::Key_I, 0, 0, 0, "Import List..."},
        {"Ctrl+Shift+E", Qt::CTRL | Qt::SHIFT | Qt::Key_E, 0, 0, 0, "Export List..."},
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
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("entry");
        for (const StartCase &s : kStartCases) {
            for (const KeyCase &k : kKeyCases) {
                const int action = s.mode == Shown::Tree ? k.tree : s.mode == Shown::Item ? k.item : k.items;
                QTest::addRow("%s: %s", s.name, k.name) << int(s.start) << k.key << action << QString::fromLatin1(k.entry);
            }
        }
    }

    // The key's run and the tap's (or the command's) run start alike and
    // must end alike; a key whose button is not there changes nothing.
    void keyDoesWhatItsButtonOrCommandDoes()
    {
        QFETCH(int, start);
        QFETCH(QKeyCombination, key);
        QFETCH(int, action);
        QFETCH(QString, entry);

        QStringList expected;
        {
            Run byPointer{Start(start)};
            if (!entry.isEmpty()) {
                byPointer.f.Choose(entry);
                --byPointer.View().timesShown; // the menu that chose it is no part of the command
            } else if (action > 0) {
                byPointer.f.Tap(action);
            }
            expected = byPointer.State();
        }
        Run byKey{Start(start)};
        QVERIFY(QTest::qWaitForWindowActive(&byKey.View()));
        const QStringList before = byKey.State();
        Press(byKey.View(), key);
        const QStringList after = byKey.State();
        QCOMPARE(after, expected);
        if (action == 0 && entry.isEmpty())
            QCOMPARE(after, before);
    }

    // One run by keys alone: the menu key, the tree's own keys (space ticks,
    // the arrows move; that Enter opens rather than ticks is a row of the
    // table above), and the focus following each screen.
    void keysAlongOneRun()
    {
        Run run(Start::TreeItem);
        MenuView &view = run.View();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(QApplication::focusWidget(), run.f.Tree());
        Press(view, Qt::Key_Menu);
        QCOMPARE(view.timesShown, 1);
        QCOMPARE(view.firstEntryActive, true);

        const QModelIndex milk = run.f.ItemNode(0, 1);
        QCOMPARE(CTreeOptionsCtrl::GetCheck(milk), true);
        Press(view, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::GetCheck(milk), false);
        QCOMPARE(run.f.Lists().at(0).GetItem(1).m_bDone, false);
        QCOMPARE(run.f.Mode(), Shown::Tree);
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
        QCOMPARE(run.f.Mode(), Shown::Item);
        QCOMPARE(QApplication::focusWidget(), &view);
        Press(view, Qt::CTRL | Qt::Key_T);
        QCOMPARE(run.asked, QStringList{QStringLiteral("hand over Bread")});
        Press(view, Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), run.f.Table());
        // The table that an item came back to still leads up to the tree.
        Press(view, Qt::Key_Backspace);
        QCOMPARE(run.f.Mode(), Shown::Tree);
        QCOMPARE(QApplication::focusWidget(), run.f.Tree());
    }

    void buttonTipsNameTheFaceAndItsKeys_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("x0");
        QTest::addColumn<QString>("tip");
        const int tree = int(Start::TreeList);
        const int item = int(Start::ItemFromItems);
        QTest::newRow("cross") << tree << 8 << "Exit (Ctrl+Q)";
        QTest::newRow("M") << tree << 33 << "Menu (Menu, Shift+F10, Alt+M)";
        QTest::newRow("pencil") << item << 58 << "Edit (F2, Ctrl+E)";
        QTest::newRow("magnifier") << tree << 83 << "Open (Return, Enter)";
        QTest::newRow("tick") << item << 83 << "Done or not done (Ctrl+D)";
        QTest::newRow("hand-over") << item << 108 << "Hand over to calendar or tasks (Ctrl+T)";
        QTest::newRow("up arrow, item") << item << 133 << "Back (Backspace, Alt+Left, Alt+Up)";
        QTest::newRow("nothing drawn, tree") << tree << 108 << "";
    }

    void buttonTipsNameTheFaceAndItsKeys()
    {
        QFETCH(int, start);
        QFETCH(int, x0);
        QFETCH(QString, tip);
        Run run{Start(start)};
        MenuView &view = run.View();
        QCOMPARE(QuillmarkTest::TipAt(&view, run.f.Button(x0)), tip);
    }
};

QUILLMARK_TEST_MAIN(TestViewKeys)
#include "tst_viewkeys.moc"
