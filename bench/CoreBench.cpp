// The core's measured operations beside their floors (Floors.h), each on the shared files of a
// fresh scratch directory in memory. floors_match_tool holds every floor to the tool's work.
#include <benchmark/benchmark.h>

#include <functional>

#include "BrightnessController.h"
#include "Floors.h"
#include "SensorSim.h"
#include "SharedFiles.h"
#include "SliderView.h"
#include "TableFile.h"

namespace {

using Body = std::function<void(benchmark::State&, const CFilePath& directory)>;

// Registers `body` under `name`, to run on freshly written shared files.
void Register(const char* name, Body body) {
    auto* registered = benchmark::RegisterBenchmark(name, [body](benchmark::State& state) {
        const CScratchDirectory directory;
        if (!WriteSharedFiles(directory)) {
            state.SkipWithError(kCannotPrepare);
            return;
        }
        // Nothing reads the simulated sensor's journal: its memory stays flat.
        sensorsim::StopJournal();
        body(state, directory.Prefix().c_str());
    });
    // The least time per repetition, set here: Google Benchmark 1.7 and 1.9 spell the flag apart.
    registered->Unit(benchmark::kMicrosecond)->MinTime(0.2);
}

// A slider drag: every notification stores the next level and applies its row.
void BM_LevelChanged(benchmark::State& state, const CFilePath& directory) {
    CBrightnessController controller(directory);
    CSliderView view;
    controller.Start(view);
    for (auto _ : state) {
        view.position = NextLevel(view.position);
        controller.LevelChanged(view);
    }
}

void BM_LevelChangedFloor(benchmark::State& state, const CFilePath& directory) {
    CFloorRun run(directory);
    int level = run.Start();
    for (auto _ : state)
        run.LevelChanged(level = NextLevel(level));
}

// A whole start, ended by the destruction of the run, which finishes the driver.
void BM_Start(benchmark::State& state, const CFilePath& directory) {
    CSliderView view;
    for (auto _ : state)
        CBrightnessController(directory).Start(view);
}

void BM_StartFloor(benchmark::State& state, const CFilePath& directory) {
    for (auto _ : state)
        CFloorRun(directory).Start();
}

// Reading the 21-row film table.
void BM_LoadBrightnessTable(benchmark::State& state, const CFilePath& directory) {
    CBrightnessTable table;
    for (auto _ : state) {
        LoadBrightnessTable(FilmType::Film, table, directory);
        benchmark::DoNotOptimize(table);
    }
}

void BM_LoadBrightnessTableFloor(benchmark::State& state, const CFilePath& directory) {
    TableRows rows = RowsOf(CBrightnessTable());
    for (auto _ : state) {
        LoadTableFloor(FilmType::Film, directory, rows);
        benchmark::DoNotOptimize(rows);
    }
}

// Finding "Film" at the end of a 512-byte film type file.
void BM_DetectFilmType(benchmark::State& state, const CFilePath& directory) {
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectFilmType(directory));
}

void BM_DetectFilmTypeFloor(benchmark::State& state, const CFilePath& directory) {
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectFilmTypeFloor(directory));
}

const bool kRegistered = [] {
    Register("LevelChanged", BM_LevelChanged);
    Register("LevelChanged/floor", BM_LevelChangedFloor);
    Register("Start", BM_Start);
    Register("Start/floor", BM_StartFloor);
    Register("LoadBrightnessTable", BM_LoadBrightnessTable);
    Register("LoadBrightnessTable/floor", BM_LoadBrightnessTableFloor);
    Register("DetectFilmType", BM_DetectFilmType);
    Register("DetectFilmType/floor", BM_DetectFilmTypeFloor);
    return true;
}();

} // namespace
