// Import of a 100,000-line file into a new list, and export of a
// 100,000-item list.
#include "exchange/csv/CsvExport.h"
#include "exchange/csv/CsvImportJob.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;

// Names in no particular order, as a file from elsewhere has them.
QString RowName(QRandomGenerator &random, int i)
{
    return QStringLiteral("Item %1 %2").arg(random.bounded(1000000), 6, 10, QLatin1Char('0')).arg(i);
}

CListItemArray MakeList()
{
    QRandomGenerator random(1);
    CListItemArray list;
    list.m_items.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        CListItem item;
        item.SetName(RowName(random, i));
        item.SetDescription(QStringLiteral("Description of item %1, with a comma").arg(i));
        item.m_dPrice = i * 0.37;
        list.m_items.append(item);
    }
    return list;
}

void BM_ImportCsv100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.csv"));
    if (CsvExport::ExportList(MakeList(), path).status != CsvExport::Status::Done) {
        state.SkipWithError("could not write the input file");
        return;
    }
    const CImportFields fields{1, 2, 3, 6};
    for (auto _ : state) {
        CListItemArray list;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !CsvImport::ImportCsvDevice(file, fields, list).Ok()
            || list.m_items.size() != kRows) {
            state.SkipWithError("import failed");
            return;
        }
        benchmark::DoNotOptimize(list.m_items.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ImportCsv100k)->Unit(benchmark::kMillisecond);

void BM_ExportCsv100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillmark.csv"));
    const CListItemArray list = MakeList();
    for (auto _ : state) {
        if (CsvExport::ExportList(list, path).status != CsvExport::Status::Done) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ExportCsv100k)->Unit(benchmark::kMillisecond);

} // namespace
