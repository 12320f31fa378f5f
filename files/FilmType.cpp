#include "FilmType.h"

#include <algorithm>
#include <array>

#include "FilmTypeFile.h"

namespace {

struct Keyword {
    const char* text;
    FilmType type;
};

// In search order: the first keyword present decides.
constexpr std::array<Keyword, 5> kKeywords = {{
    {"Slide", FilmType::Slide},
    {"Film", FilmType::Film},
    {"B&W", FilmType::BlackWhite},
    {"Photo", FilmType::Photo},
    {"PhoBW", FilmType::PhotoBlackWhite},
}};

constexpr std::size_t kLongestKeyword = 5;
constexpr std::size_t kBlockSize = 512;

// Finds keywords in text that arrives block by block, also across block boundaries.
class CKeywordScan {
public:
    // Searches the block up to its first zero byte; returns false once the text has ended.
    bool Feed(const unsigned char* block, std::size_t size) {
        const auto* end = std::find(block, block + size, 0);
        m_window.append(reinterpret_cast<const char*>(block), end - block);
        for (std::size_t i = 0; i < kKeywords.size(); ++i)
            m_found[i] = m_found[i] || m_window.find(kKeywords[i].text) != std::string::npos;
        // Keep just enough to complete a keyword that the next block finishes.
        if (m_window.size() >= kLongestKeyword)
            m_window.erase(0, m_window.size() - (kLongestKeyword - 1));
        return end == block + size;
    }

    FilmType Result() const {
        for (std::size_t i = 0; i < kKeywords.size(); ++i)
            if (m_found[i])
                return kKeywords[i].type;
        return FilmType::Slide;
    }

private:
    std::string m_window;
    std::array<bool, kKeywords.size()> m_found{};
};

} // namespace

FilmType DetectFilmType(const std::string& directory) {
    CKeywordScan scan;
    {
        CFilmTypeFile file(directory + kFilmTypeFileName);
        if (!file.IsOpen())
            return FilmType::Slide;
        std::array<unsigned char, kBlockSize> buffer;
        std::size_t count;
        do {
            count = file.Read(buffer.data(), buffer.size());
        } while (scan.Feed(buffer.data(), count) && count == buffer.size());
    }
    return scan.Result();
}
