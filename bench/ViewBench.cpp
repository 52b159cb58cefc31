// The main window's start, the tree and the item table, on the made-up
// collection of 100 lists of 1,000 items. A program of its own: widgets need
// a QApplication before anything else, which benchmark_main does not make.
//
//   quillmark_view_bench [--benchmark_...]
//   quillmark_view_bench --write-data-file=PATH   writes the collection and ends
#include "app/MainFrame.h"
#include "bench/BenchData.h"
#include "controls/TreeOptionsCtrl.h"
#include "model/QuillmarkDoc.h"
#include "view/QuillmarkView.h"
#include "view/ViewLook.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
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

// A view whose pop-up menu picks the entry named in `choose`, as a person
// would, without waiting for one.
class BenchView : public CQuillmarkView
{
public:
    using CQuillmarkView::CQuillmarkView;
    QString choose;

protected:
    int RunPopupMenu(QMenu &menu, const QPoint &) override
    {
        for (const QAction *action : menu.actions()) {
            if (action->text() == choose)
                return action->data().toInt();
        }
        return 0;
    }
};

// A shown view on a document that has read the file, in tree mode, driven
// by the same taps a person makes.
struct ShownView
{
    explicit ShownView(const QString &path)
    {
        doc.SetPath(path);
        doc.Load();
        view.OnInitialUpdate();
        view.show();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    CTreeOptionsCtrl *Tree() const { return view.findChild<CTreeOptionsCtrl *>(); }
    QTreeWidget *Table() const { return view.findChild<QTreeWidget *>(QStringLiteral("itemTable")); }

    // A tap on the drawn button in `slot` (0 to 5, left to right).
    void Tap(int slot)
    {
        const QPointF at = ViewLook::ButtonRect(slot, view.height()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&view, &press);
    }
    void Choose(const QString &entry)
    {
        view.choose = entry;
        Tap(1);
    }
    // The magnifier on a list node of the tree.
    void OpenList(int list)
    {
        Tree()->setCurrentItem(Tree()->topLevelItem(0)->child(list));
        Tap(3);
    }

    CQuillmarkDoc doc;
    BenchView view{doc};
};

// The tree of 100 lists and 100,000 items rebuilt, the old one cleared first,
// as "View Lists..." does.
void BM_ViewLists(benchmark::State &state)
{
    const DataFolder folder(BenchData::HundredLists());
    ShownView shown(folder.path);
    for (auto _ : state) {
        shown.Choose(QStringLiteral("View Lists..."));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (shown.Tree()->topLevelItem(0)->childCount() != 100)
        state.SkipWithError("the tree is not filled");
    state.SetItemsProcessed(state.iterations() * 100 * 1000);
}
BENCHMARK(BM_ViewLists)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kTableRows = 10000;

// The item table of one list of 10,000 items, some dated and all priced
// (the four-column layout), opened from the tree and left again.
void BM_OpenBigList(benchmark::State &state)
{
    const DataFolder folder(CListCollection{BenchData::RandomList(QStringLiteral("Big"), kTableRows, 10)});
    ShownView shown(folder.path);
    for (auto _ : state) {
        shown.OpenList(0);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.PauseTiming();
        if (shown.Table()->topLevelItemCount() != kTableRows || shown.Table()->columnCount() != 4)
            state.SkipWithError("the table is not filled in four columns");
        shown.Tap(4); // back
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTableRows);
}
BENCHMARK(BM_OpenBigList)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr char kWriteFlag[] = "--write-data-file=";

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object, which picks its platform once.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);

    const char *writePath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kWriteFlag, std::strlen(kWriteFlag)) == 0)
            writePath = argv[i] + std::strlen(kWriteFlag);
    }
    if (writePath) {
        QCoreApplication core(argc, argv);
        const QString path = QString::fromLocal8Bit(writePath);
        if (!WriteDataFile(path, BenchData::HundredLists())) {
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
