// The film type file is opened for reading with read sharing only: a writer holding it open keeps
// the tool from reading it, a reader does not.
#include <gtest/gtest.h>

#include <windows.h>

#include "FilmType.h"
#include "ScratchDirectory.h"

namespace {

class CHeldFile {
public:
    CHeldFile(const std::string& path, DWORD access)
        : m_handle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;
    ~CHeldFile() {
        if (IsOpen())
            CloseHandle(m_handle);
    }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

TEST(FilmTypeShareModeTest, FileHeldOpenForWritingReadsAsSlide) {
    CScratchDirectory dir;
    dir.Write(kFilmTypeFileName, "Film");
    const std::string path = dir.Path(kFilmTypeFileName);
    {
        CHeldFile writer(path, GENERIC_WRITE);
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_EQ(DetectFilmType(dir.Prefix().c_str()), FilmType::Slide);
    }
    {
        CHeldFile reader(path, GENERIC_READ);
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(DetectFilmType(dir.Prefix().c_str()), FilmType::Film);
    }
    EXPECT_EQ(DetectFilmType(dir.Prefix().c_str()), FilmType::Film);
}

} // namespace
