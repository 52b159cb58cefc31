// The main window's start, the tree and the item table, on the made-up
// collection of 100 lists of 1,000 items. A program of its own: widgets need
// a QApplication before anything else, which benchmark_main does not make.
//
//   quillmark_view_bench [--benchmark_...]
//   quillmark_view_bench --write-data-file=PATH   writes the collection and ends
#include "app/MainFrame.h"
#include "bench/BenchData.h"
#include "controls/TreeOptionsCtrl.h"
#include "model/DataStore.h"
#include "view/QuillmarkView.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
        frame->View()->SetDataFilePath(folder.path);
        frame->OnInitialUpdate();
        const PaintWatch watch({frame->View(), frame->View()->Tree()->viewport()});
        frame->show();
        frame->repaint();
        WaitForFirstFrame(*frame, watch);

        state.PauseTiming();
        if (frame->View()->Lists().size() != 100)
            state.SkipWithError("the data file was not read");
        frame.reset();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A shown view that has read the file, in tree mode.
struct ShownView
{
    explicit ShownView(const QString &path)
    {
        view.SetDataFilePath(path);
        view.OnInitialUpdate();
        view.show();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    CQuillmarkView view;
};

// The tree of 100 lists and 100,000 items rebuilt, the old one cleared first,
// as every return to the tree does.
void BM_FillTree(benchmark::State &state)
{
    const DataFolder folder(BenchData::HundredLists());
    ShownView shown(folder.path);
    for (auto _ : state) {
        shown.view.FillTree();
        state.PauseTiming();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.ResumeTiming();
    }
    if (shown.view.RootItem()->childCount() != 100)
        state.SkipWithError("the tree is not filled");
    state.SetItemsProcessed(state.iterations() * 100 * 1000);
}
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the user waits for on returning to the tree: the harvest of the
// marks, the fill and the repaint.
void BM_ShowTree(benchmark::State &state)
{
    const DataFolder folder(BenchData::HundredLists());
    ShownView shown(folder.path);
    for (auto _ : state)
        shown.view.ShowTree();
}
BENCHMARK(BM_ShowTree)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kTableRows = 10000;

// The item table of one list of 10,000 items, some dated and all priced:
// the four-column layout.
void BM_FillItemTable(benchmark::State &state)
{
    const DataFolder folder(CListCollection{BenchData::RandomList(QStringLiteral("Big"), kTableRows, 10)});
    ShownView shown(folder.path);
    CQuillmarkView &view = shown.view;
    view.Tree()->setCurrentItem(view.FindNode(0, -1));
    view.OpenSelection();
    if (view.Mode() != CQuillmarkView::modeItems || view.ItemTable()->columnCount() != 4) {
        state.SkipWithError("the item table did not open in four columns");
        return;
    }
    for (auto _ : state) {
        view.FillItemTable();
        state.PauseTiming();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.ResumeTiming();
    }
    if (view.ItemTable()->topLevelItemCount() != kTableRows)
        state.SkipWithError("the table is not filled");
    state.SetItemsProcessed(state.iterations() * kTableRows);
}
BENCHMARK(BM_FillItemTable)->Unit(benchmark::kMillisecond)->UseRealTime();

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
