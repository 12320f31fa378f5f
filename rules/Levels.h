// Brightness levels: slider positions and table rows 0..20, shown as -10..+10.
#pragma once

constexpr int kLevelCount = 21;
constexpr int kLevelCentre = 10;

constexpr bool IsValidLevel(int level) {
    return level >= 0 && level < kLevelCount;
}

constexpr int DisplayValueOf(int level) {
    return level - kLevelCentre;
}

// The level a run starts at for the level stored in the flag file: a stored level that is no table
// row gives the centre level.
constexpr int StartLevelOf(int stored) {
    return IsValidLevel(stored) ? stored : kLevelCentre;
}
