// A catalogue of bad inputs to the shared-file routines. Each case states the result and that no
// file is created, deleted or changed beyond the byte a routine is meant to write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "BrightnessController.h"
#include "BrightnessTable.h"
#include "FileStream.h"
#include "FilmType.h"
#include "FlagFile.h"
#include "ScratchDirectory.h"
#include "SensorSim.h"
#include "TableFile.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;
using Row = CBrightnessTable::Row;

const std::string kFlag = "Flag.txt";

std::set<std::string> FileNames(const CScratchDirectory& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path("")))
        names.insert(entry.path().filename().string());
    return names;
}

// The file's bytes in one read: large files are compared whole.
std::string Contents(const fs::path& path) {
    std::string bytes(fs::file_size(path), '\0');
    std::ifstream(path, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

Row Filled(int32_t value) {
    return {value, value, value, value, value, value};
}

// --- Flag file

TEST(FlagFileBadInputTest, EveryLengthFromZeroToSix) {
    // Each file is the first `length` bytes of this one. In an empty file the system fills offset
    // 0 with a zero byte before the letter, and the next mark replaces it.
    const std::string full = "yK12\xAA\xBB";
    const struct {
        int level;
        std::string afterStoreLevel20, thenMarkStopped, afterMarkStopped;
    } byLength[] = {
        {-66, "\0U"s, "nU", "n"},
        {-66, "yU", "nU", "n"},
        {10, "yU", "nU", "nK"},
        {10, "yU1", "nU1", "nK1"},
        {10, "yU12", "nU12", "nK12"},
        {10, "yU12\xAA", "nU12\xAA", "nK12\xAA"},
        {10, "yU12\xAA\xBB", "nU12\xAA\xBB", "nK12\xAA\xBB"},
    };
    for (std::size_t length = 0; length < std::size(byLength); ++length) {
        const auto& expected = byLength[length];
        const std::string start = full.substr(0, length);
        CScratchDirectory dir;
        const CFlagFile flag(dir.Prefix().c_str());

        dir.Write(kFlag, start);
        EXPECT_EQ(flag.ReadStoredLevel(), expected.level) << length;
        EXPECT_EQ(dir.Read(kFlag), start) << length;
        flag.StoreLevel(20);
        EXPECT_EQ(dir.Read(kFlag), expected.afterStoreLevel20) << length;
        flag.MarkRunning(false);
        EXPECT_EQ(dir.Read(kFlag), expected.thenMarkStopped) << length;
        dir.Write(kFlag, start);
        flag.MarkRunning(false);
        EXPECT_EQ(dir.Read(kFlag), expected.afterMarkStopped) << length;
        EXPECT_EQ(FileNames(dir), std::set<std::string>{kFlag}) << length;
    }
}

// Takes write permission away from a file for its lifetime.
class CWriteProtection {
public:
    explicit CWriteProtection(fs::path path) : m_path(std::move(path)) {
        fs::permissions(m_path, kWrite, fs::perm_options::remove);
    }
    CWriteProtection(const CWriteProtection&) = delete;
    CWriteProtection& operator=(const CWriteProtection&) = delete;
    ~CWriteProtection() { fs::permissions(m_path, fs::perms::owner_write, fs::perm_options::add); }

private:
    static constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::path m_path;
};

// Root may write a read-only file: outside Windows, ctest runs this case apart, as nobody when root
// runs the suite (tests/support/as-nobody.sh).
TEST(FlagFileBadInputTest, ReadOnlyFileIsNeitherReadNorWritten) {
    CScratchDirectory dir;
    dir.Write(kFlag, "yK12");
    const CWriteProtection protection(dir.Path(kFlag));
    if (CFileStream(dir.Path(kFlag).c_str(), "rb+").IsOpen())
        GTEST_SKIP() << "this user may write read-only files";

    const CFlagFile flag(dir.Prefix().c_str());
    EXPECT_EQ(flag.ReadStoredLevel(), 0);
    flag.StoreLevel(3);
    flag.MarkRunning(false);
    EXPECT_EQ(dir.Read(kFlag), "yK12");
}

// --- Shared directory missing

// The slider of a dialog that never reports an error.
class CSliderView : public IBrightnessView {
public:
    void ShowLevel(int level) override { position = level; }
    int CurrentLevel() override { return position; }
    void ReportError(const char*) override { ADD_FAILURE() << "no error expected"; }

    int position = -1;
};

class MissingSharedDirectoryTest : public ::testing::Test {
protected:
    CScratchDirectory parent;
    const CFilePath missing = (fs::path(parent.Path("absent")) / "").string().c_str();
};

TEST_F(MissingSharedDirectoryTest, EveryRoutineFallsBackAndCreatesNothing) {
    EXPECT_EQ(DetectFilmType(missing), FilmType::Slide);

    CBrightnessTable table;
    const CBrightnessTable builtIn;
    for (FilmType type : {FilmType::Slide, FilmType::Film, FilmType::BlackWhite, FilmType::Photo,
                          FilmType::PhotoBlackWhite})
        EXPECT_FALSE(LoadBrightnessTable(type, table, missing)) << static_cast<int>(type);
    for (int row = 0; row < kLevelCount; ++row)
        EXPECT_EQ(table.RowOf(row), builtIn.RowOf(row)) << row;

    const CFlagFile flag(missing);
    EXPECT_EQ(flag.ReadStoredLevel(), 0);
    flag.StoreLevel(5);
    flag.MarkRunning(true);
    flag.MarkRunning(false);

    EXPECT_TRUE(FileNames(parent).empty());
}

TEST_F(MissingSharedDirectoryTest, WholeRunAppliesLevelsAndCreatesNothing) {
    sensorsim::Reset();
    CSliderView view;
    CBrightnessController controller(missing);
    EXPECT_TRUE(controller.Start(view));
    EXPECT_EQ(view.position, 0);
    EXPECT_EQ(controller.DisplayValue(), -10);
    view.position = 20;
    EXPECT_TRUE(controller.LevelChanged(view));
    EXPECT_EQ(controller.DisplayValue(), 10);
    controller.Stop();

    EXPECT_EQ(sensorsim::Register(0x3A11), 0xE4); // built-in row 20
    EXPECT_FALSE(sensorsim::IsOpen());
    EXPECT_TRUE(FileNames(parent).empty());
}

// --- Film type file

// Bytes from a fixed seed in which no keyword can occur by chance: the keywords' first letters
// ("S", "F", "B", "P") and the zero byte are replaced.
std::string Noise(std::size_t size) {
    std::mt19937 generator(20240601);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        const char value = static_cast<char>(generator() & 0xFF);
        const bool starts = value == 'S' || value == 'F' || value == 'B' || value == 'P';
        byte = value == '\0' || starts ? '~' : value;
    }
    return bytes;
}

// Lines with pieces of every keyword but no whole one.
std::string Filler(std::size_t size) {
    const std::string line = "Slid Fil B& Phot PhoB lide ilm &W hoto hoBW\r\n";
    std::string text;
    while (text.size() < size)
        text += line;
    text.resize(size);
    return text;
}

class FilmTypeBadInputTest : public ::testing::Test {
protected:
    // The film type of a file holding `content`, which must be left as it was.
    FilmType Detect(const std::string& content) {
        dir.Write(kFilmTypeFileName, content);
        const FilmType type = DetectFilmType(dir.Prefix().c_str());
        EXPECT_TRUE(Contents(dir.Path(kFilmTypeFileName)) == content) << "the file changed";
        EXPECT_EQ(FileNames(dir), std::set<std::string>{kFilmTypeFileName});
        return type;
    }

    CScratchDirectory dir;
};

TEST_F(FilmTypeBadInputTest, TenMegabyteFileIsSearchedToItsEnd) {
    constexpr std::size_t kSize = 10 << 20;
    const std::string filler = Filler(kSize);
    EXPECT_EQ(Detect(filler), FilmType::Slide);
    EXPECT_EQ(Detect(filler.substr(0, kSize - 5) + "PhoBW"), FilmType::PhotoBlackWhite);
    // "Film" across the last block boundary beats "PhoBW" at the start.
    std::string text = "PhoBW" + filler.substr(5);
    text.replace(kSize - 512 - 2, 4, "Film");
    EXPECT_EQ(Detect(text), FilmType::Film);
    // A zero byte in the middle ends the text.
    text = "Photo" + filler.substr(5, kSize / 2) + "\0B&W"s;
    EXPECT_EQ(Detect(text + filler.substr(text.size())), FilmType::Photo);
}

TEST_F(FilmTypeBadInputTest, BinaryNoise) {
    constexpr std::size_t kSize = 1 << 20;
    const std::string noise = Noise(kSize);
    EXPECT_EQ(Detect(noise), FilmType::Slide);
    std::string text = noise;
    text.replace(700000, 3, "B&W");
    EXPECT_EQ(Detect(text), FilmType::BlackWhite);
    text = noise;
    text.replace(1000, 5, "Photo");
    text[3000] = '\0';
    text.replace(5000, 4, "Film");
    EXPECT_EQ(Detect(text), FilmType::Photo);
}

// --- Table files

TEST(TableFileBadInputTest, OddFilesStoreWhatTheirColumnsHold) {
    const std::string two = "0x11,0x22,0x33,0x44,0x55,0x66\r\n0x77,0x88,0x99,0xAA,0xBB,0xCC\r\n";
    const Row first = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    const struct {
        const char* name;
        std::string content;
        std::map<int, Row> rows; // all others keep their built-in values
    } cases[] = {
        // Each CR ends a row line from column 29 on and takes the next byte as its LF.
        {"only CRs",
         std::string(100, '\r'),
         {{0, Filled(0xEF)},
          {1, Filled(0xEF)},
          {2, Filled(0xEF)},
          {3, {0xEF, 0x38, 0x38, 0x28, 0x28, 0x20}}}},
        {"only LFs", std::string(100, '\n'), {{0, Filled(0xEF)}}},
        {"only zero bytes", std::string(100, '\0'), {{0, Filled(0xEF)}}},
        {"one byte", "0", {}},
        {"end inside the last value",
         two.substr(0, 28),
         {{0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x08}}}},
        {"end after the last value", two.substr(0, 29), {{0, first}}},
        {"end after the CR", two.substr(0, 30), {{0, first}}},
        {"end after the LF", two.substr(0, 31), {{0, first}}},
        {"end after the next line's first byte", two.substr(0, 32), {{0, first}}},
    };
    const CBrightnessTable builtIn;
    for (const auto& c : cases) {
        CScratchDirectory dir;
        dir.Write("Brigp.txt", c.content);
        CBrightnessTable table;
        EXPECT_TRUE(LoadBrightnessTable(FilmType::Photo, table, dir.Prefix().c_str())) << c.name;
        for (int row = 0; row < kLevelCount; ++row) {
            const auto stored = c.rows.find(row);
            const Row expected = stored != c.rows.end() ? stored->second : builtIn.RowOf(row);
            EXPECT_EQ(table.RowOf(row), expected) << c.name << ", row " << row;
        }
        EXPECT_EQ(dir.Read("Brigp.txt"), c.content) << c.name;
        EXPECT_EQ(FileNames(dir), std::set<std::string>{"Brigp.txt"}) << c.name;
    }
}

} // namespace
