// The dialog as the controller sees it: a slider position and a message box that is never shown.
#pragma once

#include "BrightnessView.h"
#include "Levels.h"

class CSliderView final : public IBrightnessView {
public:
    void ShowLevel(int level) override { position = level; }
    int CurrentLevel() override { return position; }
    void ReportError(const char*) override {}

    int position = kLevelCentre;
};

// A drag moves the slider from level to level; the benchmarks cycle through all 21.
constexpr int NextLevel(int level) {
    return (level + 1) % kLevelCount;
}
