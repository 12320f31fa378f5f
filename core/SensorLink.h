// The tool's one connection to the image sensor driver, opened lazily and retried on every need.
#pragma once

#include <cstdint>

constexpr int32_t kImageWidth = 320;
constexpr int32_t kImageHeight = 160;

constexpr const char* kDriverInitErrorText = "Initialize Error. Please Restart the program.";

// Shows an error text to the user and returns when the user has dismissed it.
class IErrorReporter {
public:
    virtual void ReportError(const char* text) = 0;

protected:
    ~IErrorReporter() = default;
};

class CSensorLink {
public:
    CSensorLink() = default;
    CSensorLink(const CSensorLink&) = delete;
    CSensorLink& operator=(const CSensorLink&) = delete;
    ~CSensorLink() { Close(); }

    // Opens the driver unless it is open; on failure reports the error text and returns false.
    bool EnsureOpen(IErrorReporter& reporter);
    // Forwards one register write to the driver; `CBrightnessTable::ApplyRow` makes them.
    void WriteRegister(int32_t deviceAddress, int32_t registerAddress, int32_t value);
    // Finishes the driver if it is open.
    void Close();

private:
    bool m_open = false;
};
