// The tool's one connection to the image sensor driver, opened lazily and retried on every need.
#pragma once

#include <cstdint>
#include <functional>

constexpr int32_t kImageWidth = 320;
constexpr int32_t kImageHeight = 160;
constexpr int32_t kSensorDeviceAddress = 0x6C;

constexpr const char* kDriverInitErrorText = "Initialize Error. Please Restart the program.";

class CSensorLink {
public:
    using ErrorReporter = std::function<void(const char* text)>;

    CSensorLink() = default;
    CSensorLink(const CSensorLink&) = delete;
    CSensorLink& operator=(const CSensorLink&) = delete;
    ~CSensorLink() { Close(); }

    // Opens the driver unless it is open; on failure reports the error text and returns false.
    bool EnsureOpen(const ErrorReporter& reportError);
    void WriteRegister(int32_t deviceAddress, int32_t registerAddress, int32_t value);
    // Finishes the driver if it is open.
    void Close();
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};
