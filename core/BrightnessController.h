// The brightness state of one run: restores and applies the stored level at start-up, applies and
// records every level the user chooses, and clears the running mark at shut-down.
#pragma once

#include "BrightnessTable.h"
#include "BrightnessView.h"
#include "FilePath.h"
#include "FilmType.h"
#include "FlagFile.h"
#include "SensorLink.h"
#include "SharedDirectory.h"

class CBrightnessController {
public:
    explicit CBrightnessController(const CFilePath& directory = SharedDirectory);
    CBrightnessController(const CBrightnessController&) = delete;
    CBrightnessController& operator=(const CBrightnessController&) = delete;

    // Reads media type, table and stored level, shows the level and applies it. Returns false when
    // the sensor driver cannot be opened.
    bool Start(IBrightnessView& view);
    // Stores and applies the slider's level. Returns false when nothing was applied: the driver
    // cannot be opened, the driver error is still being reported, or the position is no level.
    bool LevelChanged(IBrightnessView& view);
    // Clears the running mark and closes the driver.
    void Stop();
    // The level applied last, as shown: -10..+10, 0 before the first one.
    int DisplayValue() const { return m_displayValue; }

private:
    bool OpenLink(IBrightnessView& view);

    CFilePath m_directory;
    CFlagFile m_flagFile;
    FilmType m_filmType = FilmType::Slide;
    CBrightnessTable m_table;
    CSensorLink m_link;
    int m_displayValue = 0;
    bool m_reportingError = false;
};
