// What the tool writes to the sensor on a shared directory, for comparison with quenlit-inspect:
// the controller starts with the simulated sensor, then the slider visits every level. Prints the
// start-up's register writes as trace lines, then one line per level in the inspector's table
// layout without its marks. Changes the directory's Flag.txt as the tool does: give it a copy.
#include <cstdio>
#include <vector>

#include "BrightnessController.h"
#include "SensorSim.h"

namespace {

class CSlider : public IBrightnessView {
public:
    void ShowLevel(int level) override { position = level; }
    int CurrentLevel() override { return position; }
    void ReportError(const char* text) override { std::fprintf(stderr, "%s\n", text); }

    int position = 0;
};

// The register writes in the journal from `first` on.
std::vector<sensorsim::DriverCall> WritesFrom(std::size_t first) {
    std::vector<sensorsim::DriverCall> writes;
    const auto& journal = sensorsim::Journal();
    for (std::size_t i = first; i < journal.size(); ++i)
        if (journal[i].kind == sensorsim::DriverCall::Kind::Write)
            writes.push_back(journal[i]);
    return writes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tool_table DIR/\n");
        return 2;
    }
    sensorsim::Reset();
    CSlider slider;
    CBrightnessController controller(argv[1]);
    if (!controller.Start(slider))
        return 1;
    for (const auto& write : WritesFrom(0))
        std::printf("%s\n", sensorsim::FormatCall(write).c_str());

    for (int level = 0; level < kLevelCount; ++level) {
        const std::size_t first = sensorsim::Journal().size();
        slider.position = level;
        controller.LevelChanged(slider);
        std::printf("%3d ", level);
        for (const auto& write : WritesFrom(first))
            std::printf(" %02X", static_cast<unsigned>(write.arg3));
        std::printf("\n");
    }
    controller.Stop();
    return 0;
}
