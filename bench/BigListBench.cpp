// Every command that works on a whole list, on one list of 1,000,000 items
// (a large import makes such lists) with its table on show: first in the
// list's own order, then sorted by name. Each figure runs from the command
// to the window painted again, the save included where the command saves.
// Run by hand, on a build with optimisation:
//
//   quillmark_biglist_bench [--items=N] [--sorted]
//
// It prints one line per step, in seconds on the clock and of the
// program's own CPU time (on a busy machine the clock counts the others'
// work too), and the slowest of them. --sorted runs only the sorted part,
// for a profiler.
#include "bench/BenchData.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "dialogs/DuplicateListDlg.h"
#include "model/DataStore.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "prompt/Prompter.h"
#include "view/QuillmarkView.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>

namespace {

// Says yes to every question and OK to every dialog, as a person who
// has made up their mind.
class YesPrompter final : public Prompter
{
public:
    void Message(QWidget *, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool AskYesNo(QWidget *, const QString &) override { return true; }
    QString ChooseOpenFile(QWidget *, const QString &, const QString &) override { return QString(); }
    int Run(QDialog &dialog) override
    {
        dialog.show();
        dialog.accept();
        dialog.hide();
        return dialog.result();
    }
};

void Settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double slowest = 0;

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Runs `step`, lets the window answer everything it caused, and prints the
// time it took.
void Time(const char *what, const std::function<void()> &step)
{
    QElapsedTimer timer;
    const double cpu = CpuSeconds();
    timer.start();
    step();
    Settle();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    slowest = std::max(slowest, seconds);
    std::printf("%-44s %8.3f s %8.3f s CPU\n", what, seconds, CpuSeconds() - cpu);
    std::fflush(stdout);
}

constexpr char kItemsFlag[] = "--items=";
constexpr char kSortedFlag[] = "--sorted";

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int items = 1000000;
    bool sortedOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kItemsFlag, std::strlen(kItemsFlag)) == 0)
            items = std::atoi(argv[i] + std::strlen(kItemsFlag));
        else if (std::strcmp(argv[i], kSortedFlag) == 0)
            sortedOnly = true;
    }
    // The settings (the table's sort order among them) in a folder of the
    // run's own, not the user's.
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Fernwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));

    const QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    {
        const CListCollection lists{BenchData::RandomList(QStringLiteral("Imported"), items, 1)};
        if (!CDataStore(path).Save(lists)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("one list of %d items\n", items);

    CQuillmarkDoc doc;
    YesPrompter prompter;
    CQuillmarkView view(doc, nullptr, &prompter);
    view.resize(480, 640);
    CListTree *tree = nullptr;
    CItemTable *table = nullptr;
    const auto run = [&](CViewActions::Command command) { view.Action(command)->trigger(); };

    Time("open the data file", [&] {
        doc.SetPath(path);
        doc.Load();
        view.OnInitialUpdate();
        view.show();
    });
    tree = view.findChild<CListTree *>();
    table = view.findChild<CItemTable *>();
    Time("open the list", [&] {
        tree->setCurrentIndex(tree->model()->index(0, 0, tree->RootNode()));
        run(CViewActions::Open);
    });
    if (!table->isVisible() || table->model()->rowCount(table->rootIndex()) != items) {
        std::fprintf(stderr, "the list's table is not on show\n");
        return 1;
    }

    const auto undoRedo = [&](const char *undo, const char *redo) {
        Time(undo, [&] { run(CViewActions::Undo); });
        Time(redo, [&] { run(CViewActions::Redo); });
    };
    const auto commands = [&] {
        Time("hide done items", [&] { view.Action(CViewActions::HideDone)->trigger(); });
        Time("show done items again", [&] { view.Action(CViewActions::HideDone)->trigger(); });

        auto *field = view.findChild<QLineEdit *>(QStringLiteral("findField"));
        Time("find: open", [&] { view.Action(CViewActions::Find)->trigger(); });
        for (const QChar letter : QStringLiteral("cafe")) {
            const QByteArray what = "find: type '" + QString(letter).toUtf8() + "'";
            Time(what.constData(), [&] {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (letter.unicode() - u'a'), Qt::NoModifier, QString(letter));
                QCoreApplication::sendEvent(field, &key);
            });
        }
        Time("find: back to the table", [&] { run(CViewActions::Back); });

        table->setCurrentIndex(table->model()->index(0, 0, table->rootIndex()));
        Time("Untick All", [&] { run(CViewActions::UntickAll); });
        undoRedo("Untick All: undo", "Untick All: redo");
        run(CViewActions::Undo); // the ticks back for what follows
        Settle();

        Time("Duplicate List", [&] { run(CViewActions::DuplicateList); });
        undoRedo("Duplicate List: undo", "Duplicate List: redo");
        run(CViewActions::Undo);
        Settle();

        // The first half of the table, as a Shift+click chooses it: in the
        // sorted table, rows all over the list.
        const int rows = table->model()->rowCount(table->rootIndex());
        Time("choose half the rows", [&] {
            const QItemSelection half(table->model()->index(0, 0, table->rootIndex()),
                                      table->model()->index(rows / 2, 0, table->rootIndex()));
            table->selectionModel()->select(half, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        });
        Time("Delete of half the rows", [&] { run(CViewActions::Delete); });
        undoRedo("Delete: undo", "Delete: redo");
        run(CViewActions::Undo);
        Settle();

        Time("save", [&] {
            QString error;
            if (!doc.TrySave(error))
                std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
        });
    };

    if (!sortedOnly) {
        std::printf("-- in the list's own order\n");
        commands();
    }
    std::printf("-- sorted by name\n");
    Time("sort by name", [&] { table->sortByColumn(CListsModel::Name, Qt::AscendingOrder); });
    commands();
    Time("sort by price", [&] { table->sortByColumn(CListsModel::Price, Qt::AscendingOrder); });

    std::printf("slowest: %.3f s\n", slowest);
    return 0;
}
