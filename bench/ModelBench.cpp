// The data file and the sorted list builder at the sizes a heavy user
// reaches: 100 lists of 1,000 items, and one imported list of 100,000.
#include "model/DataFile.h"
#include "model/ListItemArray.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

QString RandomText(QRandomGenerator &random, int length)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ \u00e9\u00fc");
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = letters.at(random.bounded(int(letters.size())));
    return text;
}

// Names of about 20 characters, descriptions of about 80, every fifth
// item dated, times spread over thirty years.
CListItem RandomItem(QRandomGenerator &random, int serial)
{
    CListItem item;
    item.SetName(RandomText(random, 16 + random.bounded(9)));
    item.SetDescription(RandomText(random, 70 + random.bounded(21)));
    item.m_nIcon = 5 + random.bounded(46);
    item.m_bDone = random.bounded(2) == 1;
    item.m_bDated = serial % 5 == 0;
    item.m_dPrice = random.bounded(100000) / 100.0;
    item.SetDateTime(CalendarTime(946684800) + random.bounded(946080000));
    return item;
}

const CListCollection &HundredLists()
{
    static const CListCollection lists = [] {
        QRandomGenerator random(100);
        CListCollection out;
        int serial = 0;
        for (int l = 0; l < 100; ++l) {
            CListItemArray list;
            list.SetName(QStringLiteral("List %1").arg(l));
            for (int i = 0; i < 1000; ++i)
                list.m_items.append(RandomItem(random, serial++));
            out.append(list);
        }
        return out;
    }();
    return lists;
}

struct DataFolder
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
};

void BM_LoadDataFile(benchmark::State &state)
{
    DataFolder folder;
    if (!CDataStore(folder.path).Save(HundredLists())) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    for (auto _ : state) {
        CListCollection lists;
        CDataStore store(folder.path);
        const DataFile::LoadResult result = store.Load(lists);
        if (result.status != DataFile::LoadStatus::Complete)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(lists);
    }
    state.SetBytesProcessed(state.iterations() * QFile(folder.path).size());
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond);

// The save without its last step: QSaveFile's commit flushes the file and
// the folder to the disk, which measures the disk, not the program.
void BM_WriteDataFile(benchmark::State &state)
{
    DataFolder folder;
    const CListCollection &lists = HundredLists();
    for (auto _ : state) {
        QFile file(folder.path);
        QString error;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !DataFile::Write(file, lists, &error))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(folder.path).size());
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

// The whole save, flushes included, for comparison.
void BM_SaveDataStore(benchmark::State &state)
{
    DataFolder folder;
    CDataStore store(folder.path);
    for (auto _ : state) {
        if (!store.Save(HundredLists()))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDataStore)->Unit(benchmark::kMillisecond);

// One list of 100,000 items built in name order, as the import builds it.
void BM_BuildSortedList(benchmark::State &state)
{
    const bool sortedInput = state.range(0) != 0;
    QList<CListItem> items;
    QRandomGenerator random(7);
    for (int i = 0; i < 100000; ++i)
        items.append(RandomItem(random, i));
    if (sortedInput) {
        std::stable_sort(items.begin(), items.end(), [](const CListItem &a, const CListItem &b) {
            return CompareItemNames(a.m_strName, b.m_strName) < 0;
        });
    }
    for (auto _ : state) {
        CSortedListBuilder builder;
        for (const CListItem &item : items)
            builder.Add(item);
        CListItemArray list;
        builder.FinishInto(list);
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(BM_BuildSortedList)->ArgName("sorted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
