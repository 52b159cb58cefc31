// Adding items quickly: a keystroke in the add field with 100,000 items in
// the lists (the names matched anew), the names taken in when the field
// opens, and 10,000 pasted lines read and put into a list of 1,000 items.
#include "bench/BenchData.h"
#include "document/ItemNames.h"
#include "exchange/csv/PastedText.h"
#include "model/SortedAdd.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

const CListCollection &HundredThousand()
{
    static const CListCollection lists = BenchData::Lists(100000);
    return lists;
}

void BM_CompleteTake100k(benchmark::State &state)
{
    CItemNames names;
    for (auto _ : state)
        names.Take(HundredThousand());
}
BENCHMARK(BM_CompleteTake100k)->Unit(benchmark::kMillisecond);

// A typed text that few names hold: every name is looked at.
void BM_CompleteKeystroke100k(benchmark::State &state)
{
    CItemNames names;
    names.Take(HundredThousand());
    const QString typed = QStringLiteral("qzxw");
    for (auto _ : state) {
        names.Match(typed);
        benchmark::DoNotOptimize(names.rowCount());
    }
}
BENCHMARK(BM_CompleteKeystroke100k)->Unit(benchmark::kMillisecond);

void BM_PasteLines10k(benchmark::State &state)
{
    QStringList lines;
    QRandomGenerator random(7);
    for (int i = 0; i < 10000; ++i)
        lines << QStringLiteral("- [%1] %2 %3").arg(i % 3 == 0 ? u'x' : u' ').arg(BenchData::RandomText(random, 18)).arg(i % 500 / 10.0);
    const QString text = lines.join(u'\n');
    const CListItemArray list = BenchData::RandomList(QStringLiteral("Shop"), 1000, 3);
    for (auto _ : state) {
        PastedText::Parsed parsed = PastedText::Parse(text, QLocale::c(), 5);
        CListItemArray into = list;
        AddItemsSorted(into, std::move(parsed.items));
        benchmark::DoNotOptimize(into.m_items.size());
    }
}
BENCHMARK(BM_PasteLines10k)->Unit(benchmark::kMillisecond);

} // namespace
