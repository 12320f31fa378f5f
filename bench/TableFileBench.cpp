// Reading a 21-row table file, against one read of the whole file and a direct parse.
#include <benchmark/benchmark.h>

#include <string>

#include "BrightnessTable.h"
#include "Floors.h"
#include "SharedFiles.h"
#include "TableFile.h"

namespace {

constexpr FilmType kType = FilmType::Film;

// Whether the floor reads the same rows as LoadBrightnessTable.
bool FloorMatches(const CScratchDirectory& directory) {
    CBrightnessTable table;
    TableRows rows = RowsOf(table);
    return LoadBrightnessTable(kType, table, directory.Prefix().c_str()) &&
           LoadTableFloor(directory.Path(TableFileName(kType)).c_str(), rows) &&
           rows == RowsOf(table);
}

void BM_LoadBrightnessTable(benchmark::State& state) {
    CScratchDirectory directory;
    if (!WriteSharedFiles(directory)) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    const CFilePath prefix = directory.Prefix().c_str();
    CBrightnessTable table;
    for (auto _ : state) {
        LoadBrightnessTable(kType, table, prefix);
        benchmark::DoNotOptimize(table);
    }
}

void BM_LoadBrightnessTableFloor(benchmark::State& state) {
    CScratchDirectory directory;
    if (!WriteSharedFiles(directory)) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    if (!FloorMatches(directory)) {
        state.SkipWithError("the floor does not read what LoadBrightnessTable reads");
        return;
    }
    const std::string path = directory.Path(TableFileName(kType));
    TableRows rows = RowsOf(CBrightnessTable());
    for (auto _ : state) {
        LoadTableFloor(path.c_str(), rows);
        benchmark::DoNotOptimize(rows);
    }
}

} // namespace

BENCHMARK(BM_LoadBrightnessTable)->Name("LoadBrightnessTable")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBrightnessTableFloor)
    ->Name("LoadBrightnessTable/floor")
    ->Unit(benchmark::kMicrosecond);
