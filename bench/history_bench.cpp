#include "core/address_history.h"
#include "core/tab_settings.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace pelquin;

QStringList fullHistory();

namespace {

}  // namespace

QStringList fullHistory()
{
    QStringList entries;
    entries.reserve(AddressHistory::kMaxEntries);
    for (int i = 0; i < AddressHistory::kMaxEntries; ++i)
        entries << QStringLiteral("www.site%1.example/some/path?page=%1").arg(i);
    return entries;
}

// Start-up cost of the largest history the list can hold: read it into the shared model.
void BM_ReadFullHistory(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Requests.Dat"));
    writeHistoryFile(path, fullHistory());
    AddressHistory history;
    for (auto _ : state) {
        history.setRequests(readHistoryFile(path, [] { return false; }));
        benchmark::DoNotOptimize(history.size());
    }
}
BENCHMARK(BM_ReadFullHistory)->Unit(benchmark::kMillisecond);

// Closing cost: the whole history written and renamed over the old file.
void BM_WriteFullHistory(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Requests.Dat"));
    const QStringList entries = fullHistory();
    for (auto _ : state)
        writeHistoryFile(path, entries);
}
BENCHMARK(BM_WriteFullHistory)->Unit(benchmark::kMillisecond);

void BM_ReadProfile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Setup.set"));
    TabSettings settings;
    for (int t = 1; t <= 30; ++t)
        settings[t].startUrl = QStringLiteral("http://dashboard%1.example/").arg(t);
    writeProfile(path, settings);
    for (auto _ : state)
        readProfile(path, settings);
}
BENCHMARK(BM_ReadProfile)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
