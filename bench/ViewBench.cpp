// The main window's start and every action a person takes in it, on the
// made-up collection of 100 lists of 1,000 items: each from the tap or key
// to the view painted again, the save included where the action saves,
// each keystroke of a search through all the items, and 10,000 pasted lines
// through their preview into a list of 1,000. A program of its own:
// widgets need a QApplication before anything else, which benchmark_main
// does not make.
//
//   quillmark_view_bench [--benchmark_...]
//   quillmark_view_bench --write-data-file=PATH [--items=N]
//                        writes the collection (or N items in 100 lists) and ends
#include "app/MainFrame.h"
#include "bench/BenchData.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "dialogs/ListSetupDlg.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/PastePreviewDlg.h"
#include "document/QuillmarkDoc.h"
#include "model/DataStore.h"
#include "prompt/Prompter.h"
#include "view/QuillmarkView.h"
#include "view/ViewLook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

bool WriteDataFile(const QString &path, const CListCollection &lists)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return CDataStore(path).Save(lists);
}

// A data file in a folder of its own, removed at the end.
struct DataFolder
{
    explicit DataFolder(const CListCollection &lists)
        : written(WriteDataFile(path, lists))
    {
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    bool written;
};

// Notes which of the watched widgets have received a paint event. The filter
// sees the event before the widget paints; once the event loop call that
// delivered it has returned, the paint is finished.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(const QList<QWidget *> &widgets)
    {
        for (QWidget *w : widgets) {
            m_waiting.insert(w);
            w->installEventFilter(this);
        }
    }

    bool AllPainted() const { return m_waiting.isEmpty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_waiting.remove(watched);
        return false;
    }

private:
    QSet<QObject *> m_waiting;
};

// Runs the event loop until the window is on screen and the view and the
// tree's rows have been painted.
void WaitForFirstFrame(QWidget &window, const PaintWatch &watch)
{
    while (!watch.AllPainted() || !window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// From nothing to the first painted frame, as CQuillmarkApp::InitInstance
// starts: the frame and its view made, the data file read, the tree filled,
// the window shown and painted. Closing the window is not timed.
void BM_StartToFirstPaint(benchmark::State &state)
{
    const DataFolder folder(BenchData::HundredLists());
    if (!folder.written) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    for (auto _ : state) {
        auto frame = std::make_unique<CMainFrame>();
        frame->Document()->SetPath(folder.path);
        frame->OnInitialUpdate();
        const PaintWatch watch({frame->View(), frame->View()->findChild<CTreeOptionsCtrl *>()->viewport()});
        frame->show();
        frame->repaint();
        WaitForFirstFrame(*frame, watch);

        state.PauseTiming();
        if (frame->Document()->Lists().size() != 100)
            state.SkipWithError("the data file was not read");
        frame.reset();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// Answers the item form and List Setup at once, as a person who has made
// the change and presses OK: the form gets a new price, List Setup renames
// one list. The dialog is shown first, as exec() would, so its set-up runs.
class OkPrompter final : public Prompter
{
public:
    int price = 1;

    void Message(QWidget *, const QString &) override {}
    bool AskYesNo(QWidget *, const QString &) override { return false; }
    QString ChooseOpenFile(QWidget *, const QString &, const QString &) override { return QString(); }
    int Run(QDialog &dialog) override
    {
        dialog.show();
        if (auto *form = qobject_cast<CNewItemDlg *>(&dialog)) {
            form->PriceField()->setText(QString::number(++price));
            form->OKButton()->click();
        } else if (auto *setup = qobject_cast<CListSetupDlg *>(&dialog)) {
            setup->m_lists[50].SetName(QStringLiteral("Renamed %1").arg(++price));
            setup->OKButton()->click();
        } else if (auto *preview = qobject_cast<CPastePreviewDlg *>(&dialog)) {
            // Seen before it is taken: its rows laid out and painted.
            preview->repaint();
            preview->AddButton()->click();
        }
        dialog.hide();
        return dialog.result();
    }
};

// A view whose pop-up menu picks the entry named in `choose`, as a person
// would, without waiting for one.
class BenchView : public CQuillmarkView
{
public:
    using CQuillmarkView::CQuillmarkView;
    QString choose;

protected:
    void RunPopupMenu(QMenu &menu, const QPoint &) override
    {
        for (QAction *action : menu.actions()) {
            if (action->text() == choose) {
                action->trigger();
                return;
            }
        }
    }
};

// A shown view on a document that has read the benchmarks' collection, in
// tree mode, driven by the taps and keys a person uses. Each step ends when
// the events it caused, the painting included, have been handled.
struct ShownView
{
    explicit ShownView(const CListCollection &lists = BenchData::HundredLists())
        : folder(lists)
    {
        doc.SetPath(folder.path);
        doc.Load();
        view.OnInitialUpdate();
        view.show();
        Settle();
    }

    static void Settle() { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    CListTree *Tree() const { return view.findChild<CListTree *>(); }
    CItemTable *Table() const { return view.findChild<CItemTable *>(); }
    // A list's node of the tree, or one of its items'.
    QModelIndex Node(int list, int item = -1) const
    {
        const QModelIndex node = Tree()->model()->index(list, 0, Tree()->RootNode());
        return item < 0 ? node : Tree()->model()->index(item, 0, node);
    }
    QModelIndex Row(int row) const { return Table()->model()->index(row, 0, Table()->rootIndex()); }
    int RowCount() const { return Table()->model()->rowCount(Table()->rootIndex()); }

    // A tap on the drawn button in `slot` (0 to 5, left to right).
    void Tap(int slot)
    {
        // The drawn button at that place, as a click gives it.
        if (auto *button = qobject_cast<QAbstractButton *>(view.childAt(ViewLook::ButtonRect(slot, view.height()).center())))
            button->click();
        Settle();
    }
    void Choose(const QString &entry)
    {
        view.choose = entry;
        Tap(1);
    }
    // The magnifier on a node of the tree, or on a row of the table.
    void Open(const QModelIndex &node)
    {
        (Tree()->isVisible() ? static_cast<QAbstractItemView *>(Tree()) : Table())->setCurrentIndex(node);
        Tap(3);
    }
    // The space bar on a node of the tree: ticks or unticks it.
    void Space(const QModelIndex &node)
    {
        Tree()->setCurrentIndex(node);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(Tree(), &space);
        Settle();
    }

    DataFolder folder;
    CQuillmarkDoc doc;
    OkPrompter prompter;
    BenchView view{doc, nullptr, &prompter};
};

#define QM_ACTION_BENCHMARK(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()

// Ctrl+V with 10,000 Markdown task lines on the clipboard, into a list of
// 1,000 on show: the lines read, the preview shown with every row, "Add
// 10000 Items", the one step that adds them, the save and the table again.
void BM_PastePreview10k(benchmark::State &state)
{
    CListCollection lists;
    lists.append(BenchData::RandomList(QStringLiteral("Shop"), 1000, 3));
    ShownView shown(lists);
    shown.Open(shown.Node(0));
    QStringList lines;
    QRandomGenerator random(7);
    for (int i = 0; i < 10000; ++i)
        lines << QStringLiteral("- [%1] %2 %3").arg(i % 3 == 0 ? u'x' : u' ').arg(BenchData::RandomText(random, 18)).arg(i % 500 / 10.0);
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    QAction *paste = shown.view.Action(CViewActions::PasteItems);
    for (auto _ : state) {
        paste->trigger();
        ShownView::Settle();
        state.PauseTiming();
        if (shown.RowCount() != 11000 || shown.doc.HasUnsavedChanges())
            state.SkipWithError("the lines were not added and saved");
        shown.doc.UndoStack()->undo();
        ShownView::Settle();
        state.ResumeTiming();
    }
}
QM_ACTION_BENCHMARK(BM_PastePreview10k);

// A tick in the tree.
void BM_Tick(benchmark::State &state)
{
    ShownView shown;
    const QModelIndex node = shown.Node(50, 500);
    for (auto _ : state)
        shown.Space(node);
    if (shown.doc.UndoStack()->count() != int(state.iterations()))
        state.SkipWithError("the ticks did not reach the document");
}
QM_ACTION_BENCHMARK(BM_Tick);

// The tick of the detail pane.
void BM_DetailTick(benchmark::State &state)
{
    ShownView shown;
    shown.Open(shown.Node(50, 500));
    for (auto _ : state)
        shown.Tap(3);
    if (shown.doc.UndoStack()->count() != int(state.iterations()))
        state.SkipWithError("the ticks did not reach the document");
}
QM_ACTION_BENCHMARK(BM_DetailTick);

// A list opened from the tree (its table of 1,000 rows), and back to the
// tree.
void BM_OpenList(benchmark::State &state)
{
    ShownView shown;
    for (auto _ : state) {
        shown.Open(shown.Node(50));
        state.PauseTiming();
        if (shown.RowCount() != 1000)
            state.SkipWithError("the list did not open");
        shown.Tap(4);
        state.ResumeTiming();
    }
}
QM_ACTION_BENCHMARK(BM_OpenList);

void BM_OpenItem(benchmark::State &state)
{
    ShownView shown;
    shown.Open(shown.Node(50));
    for (auto _ : state) {
        shown.Open(shown.Row(500));
        state.PauseTiming();
        if (!shown.Table()->isHidden())
            state.SkipWithError("the item did not open");
        shown.Tap(5);
        state.ResumeTiming();
    }
}
QM_ACTION_BENCHMARK(BM_OpenItem);

// Back from a list's table to the tree.
void BM_Back(benchmark::State &state)
{
    ShownView shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.Open(shown.Node(50));
        state.ResumeTiming();
        shown.Tap(4);
    }
    if (shown.Tree()->isHidden())
        state.SkipWithError("the tree is not shown");
}
QM_ACTION_BENCHMARK(BM_Back);

// The pencil on an item in the tree, a new price, OK: the form, the save of
// 100,000 items and the tree's node.
void BM_EditItem(benchmark::State &state)
{
    ShownView shown;
    shown.Tree()->setCurrentIndex(shown.Node(50, 500));
    for (auto _ : state)
        shown.Tap(2);
    if (shown.doc.UndoStack()->count() != int(state.iterations()) || shown.doc.HasUnsavedChanges())
        state.SkipWithError("the edits were not made and saved");
}
QM_ACTION_BENCHMARK(BM_EditItem);

// "Edit Lists...", one list renamed, OK: the dialog on 100 lists, the save,
// the one list's node of the tree.
void BM_ListSetupOk(benchmark::State &state)
{
    ShownView shown;
    for (auto _ : state)
        shown.Choose(QStringLiteral("Edit Lists..."));
    if (shown.doc.UndoStack()->count() != int(state.iterations()) || shown.doc.HasUnsavedChanges())
        state.SkipWithError("List Setup did not change and save the lists");
}
QM_ACTION_BENCHMARK(BM_ListSetupOk);

// Undo and redo of an edit, with the item's table on show: each saves.
void BM_UndoRedo(benchmark::State &state, bool redo)
{
    ShownView shown;
    shown.Open(shown.Node(50));
    shown.Table()->setCurrentIndex(shown.Row(500));
    shown.Tap(2);
    QUndoStack *history = shown.doc.UndoStack();
    for (auto _ : state) {
        state.PauseTiming();
        if (redo)
            history->undo();
        ShownView::Settle();
        state.ResumeTiming();
        if (redo)
            history->redo();
        else
            history->undo();
        ShownView::Settle();
        state.PauseTiming();
        if (!redo)
            history->redo();
        ShownView::Settle();
        state.ResumeTiming();
    }
    if (shown.doc.HasUnsavedChanges())
        state.SkipWithError("undo and redo did not save");
}
BENCHMARK_CAPTURE(BM_UndoRedo, Undo, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_UndoRedo, Redo, true)->Unit(benchmark::kMillisecond)->UseRealTime();

// "View Lists...": the tree closed but for the current list.
void BM_ViewLists(benchmark::State &state)
{
    ShownView shown;
    for (auto _ : state)
        shown.Choose(QStringLiteral("View Lists..."));
    if (shown.Tree()->model()->rowCount(shown.Tree()->RootNode()) != 100)
        state.SkipWithError("the tree is not filled");
}
QM_ACTION_BENCHMARK(BM_ViewLists);

// The letters typed into the find field: "c" is in nearly every item's
// name or description, "ca" in about one in eight, "caf" in a few hundred,
// "cafe" (with "café") in a few dozen.
const QString kTyped = QStringLiteral("cafe");

// The n-th keystroke of kTyped in the find field (the range's argument),
// from the key to the matches painted, the letters before it typed already.
// The first one looks through all 100,000 items; each further one among the
// matches of the letters before.
void BM_FindKeystroke(benchmark::State &state)
{
    ShownView shown;
    shown.view.Action(CViewActions::Find)->trigger();
    ShownView::Settle();
    auto *field = shown.view.findChild<QLineEdit *>(QStringLiteral("findField"));
    const qsizetype n = state.range(0);
    const QString before = kTyped.first(n - 1);
    const QChar letter = kTyped.at(n - 1);
    int matches = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(QStringLiteral("x")); // nothing left of the last round's matches
        field->setText(before);
        ShownView::Settle();
        state.ResumeTiming();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (letter.unicode() - u'a'), Qt::NoModifier, QString(letter));
        QCoreApplication::sendEvent(field, &key);
        ShownView::Settle();
        state.PauseTiming();
        const QAbstractItemModel *found = shown.view.findChild<QAbstractItemView *>(QStringLiteral("foundItems"))->model();
        matches = found->rowCount();
        if (field->text() != kTyped.first(n))
            state.SkipWithError("the key did not reach the field");
        state.ResumeTiming();
    }
    state.counters["matches"] = matches;
}
BENCHMARK(BM_FindKeystroke)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr char kWriteFlag[] = "--write-data-file=";
constexpr char kItemsFlag[] = "--items=";

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object, which picks its platform once.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);

    const char *writePath = nullptr;
    const char *items = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kWriteFlag, std::strlen(kWriteFlag)) == 0)
            writePath = argv[i] + std::strlen(kWriteFlag);
        else if (std::strncmp(argv[i], kItemsFlag, std::strlen(kItemsFlag)) == 0)
            items = argv[i] + std::strlen(kItemsFlag);
    }
    if (writePath) {
        QCoreApplication core(argc, argv);
        const QString path = QString::fromLocal8Bit(writePath);
        bool itemsOk = true;
        const qlonglong count = items ? QByteArray(items).toLongLong(&itemsOk) : 100000;
        if (!itemsOk || count < 0) {
            std::fprintf(stderr, "--items wants a number of items, not %s\n", items);
            return 64;
        }
        if (!WriteDataFile(path, BenchData::Lists(count))) {
            std::fprintf(stderr, "cannot write %s\n", writePath);
            return 1;
        }
        return 0;
    }
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
