// Start-up: a fresh controller's whole Start sequence, against the floors of its steps together.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "BrightnessController.h"
#include "Floors.h"
#include "JournalTrim.h"
#include "QXBaseIF.h"
#include "SensorLink.h"
#include "SensorSim.h"
#include "SharedFiles.h"
#include "SliderView.h"
#include "TableFile.h"

namespace {

constexpr int kFilmTypeCount = 5;
constexpr unsigned char kRunningMark = 'y';

// The shared directory with the film type file, the film table and the flag file.
class CStartFixture {
public:
    CStartFixture()
        : m_filmTypePath(m_directory.Path(kFilmTypeName)), m_flagPath(m_directory.Path(kFlagName)),
          m_builtInRows(RowsOf(CBrightnessTable())) {
        for (int type = 0; type < kFilmTypeCount; ++type)
            m_tablePaths[type] = m_directory.Path(TableFileName(static_cast<FilmType>(type)));
    }

    bool Prepare() { return WriteSharedFiles(m_directory); }

    // Ends with the controller's destruction, which finishes the driver.
    void Start() {
        CBrightnessController controller(m_directory.Prefix().c_str());
        controller.Start(m_view);
    }

    void StartFloor() {
        const FilmType type = DetectFilmTypeFloor(m_filmTypePath.c_str());
        TableRows rows = m_builtInRows;
        LoadTableFloor(m_tablePaths[static_cast<int>(type)].c_str(), rows);
        const int stored = RewriteFlagFloor(m_flagPath.c_str(), 0, kRunningMark);
        const int level = IsValidLevel(stored) ? stored : kLevelCentre;
        InitQXDriver(kImageWidth, kImageHeight);
        WriteRowFloor(rows[level]);
        FinishDriver();
    }

    std::string FlagBytes() const { return m_directory.Read(kFlagName); }

private:
    CScratchDirectory m_directory;
    CSliderView m_view;
    std::string m_filmTypePath;
    std::string m_flagPath;
    std::array<std::string, kFilmTypeCount> m_tablePaths;
    TableRows m_builtInRows;
};

// Whether the floor leaves the same flag file and makes the same driver calls as Start.
bool FloorMatches() {
    CStartFixture real, floor;
    if (!real.Prepare() || !floor.Prepare())
        return false;
    sensorsim::Reset();
    real.Start();
    const std::vector<sensorsim::DriverCall> calls = sensorsim::Journal();
    sensorsim::Reset();
    floor.StartFloor();
    return floor.FlagBytes() == real.FlagBytes() && sensorsim::Journal() == calls;
}

void BM_Start(benchmark::State& state) {
    CStartFixture fixture;
    if (!fixture.Prepare()) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    CJournalTrim trim(state);
    for (auto _ : state) {
        fixture.Start();
        trim.AfterIteration();
    }
}

void BM_StartFloor(benchmark::State& state) {
    CStartFixture fixture;
    if (!fixture.Prepare()) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    if (!FloorMatches()) {
        state.SkipWithError("the floor does not do what Start does");
        return;
    }
    CJournalTrim trim(state);
    for (auto _ : state) {
        fixture.StartFloor();
        trim.AfterIteration();
    }
}

} // namespace

BENCHMARK(BM_Start)->Name("Start")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartFloor)->Name("Start/floor")->Unit(benchmark::kMicrosecond);
