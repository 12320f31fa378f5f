// Reports the suite's pointer size once every test has run, so that a run can show which build it
// executed: 4 bytes for the 32-bit Windows build. A crash before the end leaves no report.
#include <gtest/gtest.h>

#include <cstdio>

namespace {

class CPointerSizeReport : public ::testing::Environment {
public:
    void TearDown() override {
        std::printf("Pointer size: %u bytes\n", static_cast<unsigned>(sizeof(void*)));
    }
};

const ::testing::Environment* const kPointerSizeReport =
    ::testing::AddGlobalTestEnvironment(new CPointerSizeReport);

} // namespace
