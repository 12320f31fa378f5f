// The tool's one connection to the image sensor driver, opened lazily and retried on every need.
#pragma once

#include <cstdint>

#include "BrightnessTable.h"

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
    void WriteRegister(int32_t deviceAddress, int32_t registerAddress, int32_t value);
    // Writes the six values of the table's row `level` to their registers in column order; writes
    // nothing for a level outside 0..20.
    void WriteRow(const CBrightnessTable& table, int level);
    // Finishes the driver if it is open.
    void Close();

private:
    bool m_open = false;
};
