#include "BrightnessController.h"

#include "Levels.h"
#include "TableFile.h"

namespace {

// Reports the driver error through the view, with `reporting` set while the view's box is open.
class CViewErrorReporter : public IErrorReporter {
public:
    CViewErrorReporter(IBrightnessView& view, bool& reporting)
        : m_view(view), m_reporting(reporting) {}

    void ReportError(const char* text) override {
        m_reporting = true;
        m_view.ReportError(text);
        m_reporting = false;
    }

private:
    IBrightnessView& m_view;
    bool& m_reporting;
};

} // namespace

CBrightnessController::CBrightnessController(const CFilePath& directory)
    : m_directory(directory), m_flagFile(directory) {}

bool CBrightnessController::Start(IBrightnessView& view) {
    m_filmType = DetectFilmType(m_directory);
    LoadBrightnessTable(m_filmType, m_table, m_directory);
    const int level = StartLevelOf(m_flagFile.ReadStoredLevel());
    view.ShowLevel(level);
    if (!OpenLink(view))
        return false;
    m_table.ApplyRow(level, m_link);
    m_displayValue = DisplayValueOf(level);
    m_flagFile.MarkRunning(true);
    return true;
}

bool CBrightnessController::LevelChanged(IBrightnessView& view) {
    // The error box's message loop can deliver a notification queued before it came up.
    if (m_reportingError || !OpenLink(view))
        return false;
    const int level = view.CurrentLevel();
    if (!IsValidLevel(level))
        return false;
    m_flagFile.StoreLevel(level);
    m_table.ApplyRow(level, m_link);
    m_displayValue = DisplayValueOf(level);
    return true;
}

void CBrightnessController::Stop() {
    m_flagFile.MarkRunning(false);
    m_link.Close();
}

bool CBrightnessController::OpenLink(IBrightnessView& view) {
    CViewErrorReporter reporter(view, m_reportingError);
    return m_link.EnsureOpen(reporter);
}
