#include "BrightnessController.h"

#include "Levels.h"
#include "TableFile.h"

namespace {

// A stored level that is no table row falls back to the neutral setting.
int UsableStoredLevel(int stored) {
    return IsValidLevel(stored) ? stored : kLevelCentre;
}

// Sets a flag for the lifetime of the object.
class CFlagScope {
public:
    explicit CFlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;
    ~CFlagScope() { m_flag = false; }

private:
    bool& m_flag;
};

} // namespace

CBrightnessController::CBrightnessController(const std::string& directory)
    : m_directory(directory), m_flagFile(directory) {}

bool CBrightnessController::Start(IBrightnessView& view) {
    m_filmType = DetectFilmType(m_directory);
    LoadBrightnessTable(m_filmType, m_table, m_directory);
    const int level = UsableStoredLevel(m_flagFile.ReadStoredLevel());
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
    return m_link.EnsureOpen([this, &view](const char* text) {
        CFlagScope reporting(m_reportingError);
        view.ReportError(text);
    });
}
