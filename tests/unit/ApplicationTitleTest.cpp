#include <gtest/gtest.h>

#include "ApplicationTitle.h"

namespace {

TEST(ApplicationTitleTest, IsTheFileNameWithoutItsExtension) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Program Files\\Quenlit\\Quenlit.exe", "Quenlit"},
        {"Z:/work/dist/win64/Quenlit.exe", "Quenlit"},
        {"C:\\Tools\\Renamed.EXE", "Renamed"},
        {"C:\\Tools\\brightness.v2.exe", "brightness.v2"},
        {"C:\\Tools.d\\NoExtension", "NoExtension"},
        {"Quenlit.exe", "Quenlit"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplicationTitleFromPath(c.path), c.title) << c.path;
}

} // namespace
