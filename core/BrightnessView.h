// What the brightness controller needs of its window.
#pragma once

class IBrightnessView {
public:
    // Puts the slider at this level and redraws it.
    virtual void ShowLevel(int level) = 0;
    // The slider's current position.
    virtual int CurrentLevel() = 0;
    // Shows the text in a modal box with an OK button; returns when the user closes it.
    virtual void ReportError(const char* text) = 0;

protected:
    ~IBrightnessView() = default;
};
