// A slider notification: the whole LevelChanged sequence, against one rewrite of the flag file and
// the six register writes of the row.
#include <benchmark/benchmark.h>

#include <string>

#include "BrightnessController.h"
#include "Floors.h"
#include "JournalTrim.h"
#include "SensorSim.h"
#include "SharedFiles.h"
#include "SliderView.h"

namespace {

constexpr unsigned char kLevelLetterBase = 'A';

// The shared directory and a controller whose link to the sensor is open.
class CSliderFixture {
public:
    CSliderFixture()
        : m_controller(m_directory.Prefix().c_str()), m_flagPath(m_directory.Path(kFlagName)),
          m_rows(RowsOf(CBrightnessTable())) {}

    bool Prepare() { return WriteSharedFiles(m_directory) && m_controller.LevelChanged(m_view); }

    void Move(int level) {
        m_view.position = level;
        m_controller.LevelChanged(m_view);
    }

    void MoveFloor(int level) {
        RewriteFlagFloor(m_flagPath.c_str(), 1, kLevelLetterBase + level);
        WriteRowFloor(m_rows[level]);
    }

    std::string FlagBytes() const { return m_directory.Read(kFlagName); }

private:
    CScratchDirectory m_directory;
    CSliderView m_view;
    CBrightnessController m_controller;
    std::string m_flagPath;
    TableRows m_rows;
};

// Whether the floor leaves the same flag file and makes the same driver calls as LevelChanged.
bool FloorMatches() {
    CSliderFixture real, floor;
    if (!real.Prepare() || !floor.Prepare())
        return false;
    sensorsim::Reset();
    real.Move(14);
    const std::vector<sensorsim::DriverCall> calls = sensorsim::Journal();
    sensorsim::Reset();
    floor.MoveFloor(14);
    return floor.FlagBytes() == real.FlagBytes() && sensorsim::Journal() == calls;
}

void BM_LevelChanged(benchmark::State& state) {
    CSliderFixture fixture;
    if (!fixture.Prepare()) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    CJournalTrim trim(state);
    int level = kLevelCentre;
    for (auto _ : state) {
        level = NextLevel(level);
        fixture.Move(level);
        trim.AfterIteration();
    }
}

void BM_LevelChangedFloor(benchmark::State& state) {
    CSliderFixture fixture;
    if (!fixture.Prepare()) {
        state.SkipWithError(kCannotPrepare);
        return;
    }
    if (!FloorMatches()) {
        state.SkipWithError("the floor does not do what LevelChanged does");
        return;
    }
    CJournalTrim trim(state);
    int level = kLevelCentre;
    for (auto _ : state) {
        level = NextLevel(level);
        fixture.MoveFloor(level);
        trim.AfterIteration();
    }
}

} // namespace

BENCHMARK(BM_LevelChanged)->Name("LevelChanged")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LevelChangedFloor)->Name("LevelChanged/floor")->Unit(benchmark::kMicrosecond);
