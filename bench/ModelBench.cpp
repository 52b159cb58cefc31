// The data file and the sorted list builder at the sizes a heavy user
// reaches: 100 lists of 1,000 items, and one imported list of 100,000; the
// load also from 1,000 to 1,000,000 items.
#include "bench/BenchData.h"
#include "model/ConflictCopies.h"
#include "model/DataFile.h"
#include "model/DataStore.h"
#include "model/FileStamp.h"
#include "model/ListItemArray.h"
#include "model/UnsavedChanges.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using BenchData::HundredLists;
using BenchData::RandomItem;

// Bytes of the heap in use, small blocks and mapped ones.
size_t HeapInUse()
{
#ifdef __GLIBC__
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#else
    return 0;
#endif
}

struct DataFolder
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
};

// The floor of the program's start: the data file of `items` items read,
// stamped and parsed, nothing else. "held" is the heap the lists take once
// read, which no view can make smaller.
void BM_LoadDataFile(benchmark::State &state)
{
    DataFolder folder;
    if (!CDataStore(folder.path).Save(BenchData::Lists(state.range(0)))) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    double held = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        CListCollection lists;
        CDataStore store(folder.path);
        const DataFile::LoadResult result = store.Load(lists);
        if (result.status != DataFile::LoadStatus::Complete)
            state.SkipWithError("load failed");
        held = double(HeapInUse() - before);
        benchmark::DoNotOptimize(lists);
    }
    state.SetBytesProcessed(state.iterations() * QFile(folder.path).size());
    state.counters["held_MB"] = held / (1024 * 1024);
}
BENCHMARK(BM_LoadDataFile)
        ->ArgName("items")
        ->Arg(1000)
        ->Arg(10000)
        ->Arg(100000)
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond);

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
            return CompareItemNames(a.m_strName.View(), b.m_strName.View()) < 0;
        });
    }
    for (auto _ : state) {
        CSortedListBuilder builder;
        for (const CListItem &item : items)
            builder.Add(item);
        CListItemArray list;
        list.m_items = builder.TakeSorted();
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(BM_BuildSortedList)->ArgName("sorted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The look at the file on disk before each save and when the watcher fires:
// the whole file read and hashed.
void BM_StampDataFile(benchmark::State &state)
{
    DataFolder folder;
    if (!CDataStore(folder.path).Save(HundredLists())) {
        state.SkipWithError("cannot write the data file");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CFileStamp::OfFile(folder.path));
    state.SetBytesProcessed(state.iterations() * QFile(folder.path).size());
}
BENCHMARK(BM_StampDataFile)->Unit(benchmark::kMillisecond);

// A newer file arrives while this window holds 100 unsaved ticks, one in
// every list; there, each list has one item edited and one added.
void BM_PutTicksOntoNewerFile(benchmark::State &state)
{
    const CListCollection &saved = HundredLists();
    CListCollection current = saved;
    CListCollection newer = saved;
    QRandomGenerator random(13);
    for (qsizetype l = 0; l < saved.size(); ++l) {
        const qsizetype at = random.bounded(int(saved.at(l).m_items.size()));
        current[l].m_items[at].m_bDone = !current[l].m_items[at].m_bDone;
        {
            CCompactText &desc = newer[l].m_items[random.bounded(int(saved.at(l).m_items.size()))].m_strDesc;
            desc = desc.ToString() + u'!';
        }
        newer[l].AddItemSorted(RandomItem(random, 0));
    }
    for (auto _ : state) {
        const UnsavedChanges::Result result = UnsavedChanges::PutOnto(newer, saved, current);
        if (!result.notes.isEmpty())
            state.SkipWithError("ticks were not applied");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_PutTicksOntoNewerFile)->Unit(benchmark::kMillisecond);

// Another computer's copy of the 100,000 items, with one item edited and one
// ticked in every list, merged in.
void BM_MergeConflictCopy(benchmark::State &state)
{
    const CListCollection &ours = HundredLists();
    CListCollection copy = ours;
    QRandomGenerator random(17);
    for (CListItemArray &list : copy) {
        {
            CCompactText &desc = list.m_items[random.bounded(int(list.m_items.size()))].m_strDesc;
            desc = desc.ToString() + u'!';
        }
        list.m_items[random.bounded(int(list.m_items.size()))].m_bDone = true;
    }
    for (auto _ : state) {
        const ConflictCopies::Merged merged = ConflictCopies::Merge(ours, copy);
        if (merged.itemsAdded != int(copy.size()))
            state.SkipWithError("unexpected merge");
        benchmark::DoNotOptimize(merged);
    }
}
BENCHMARK(BM_MergeConflictCopy)->Unit(benchmark::kMillisecond);

} // namespace
