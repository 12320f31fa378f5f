#include "FilmType.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

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

static_assert(kKeywords.size() == kFilmTypeCount);

constexpr bool KeywordsStandAtTheirKindsValues() {
    for (std::size_t i = 0; i < kKeywords.size(); ++i)
        if (static_cast<std::size_t>(kKeywords[i].type) != i)
            return false;
    return true;
}
static_assert(KeywordsStandAtTheirKindsValues());

constexpr std::size_t kLongestKeyword = kLongestFilmTypeKeyword;
constexpr std::size_t kBlockSize = kFilmTypeBlockSize;

constexpr bool LongestKeywordIsKnown() {
    std::size_t longest = 0;
    for (const Keyword& keyword : kKeywords)
        longest = std::max(longest, std::char_traits<char>::length(keyword.text));
    return longest == kLongestKeyword;
}
static_assert(LongestKeywordIsKnown());

// Finds keywords in text that arrives block by block, also across block boundaries.
class CKeywordScan {
public:
    // Searches a block of at most kBlockSize bytes up to its first zero byte; returns false once
    // the text has ended.
    bool Feed(const unsigned char* block, std::size_t size) {
        const unsigned char* end = std::find(block, block + size, 0);
        std::copy(block, end, m_window.data() + m_carried);
        const char* text = m_window.data();
        const std::size_t length = m_carried + (end - block);
        m_textLength += end - block;
        m_endedAtZeroByte = end != block + size;
        for (std::size_t i = 0; i < kKeywords.size(); ++i) {
            const char* keyword = kKeywords[i].text;
            m_found[i] = m_found[i] || std::search(text, text + length, keyword,
                                                   keyword + std::strlen(keyword)) != text + length;
        }
        // Keep just enough to complete a keyword that the next block finishes.
        m_carried = std::min(length, kLongestKeyword - 1);
        std::memmove(m_window.data(), text + length - m_carried, m_carried);
        return end == block + size;
    }

    FilmType Result() const {
        for (std::size_t i = 0; i < kKeywords.size(); ++i)
            if (m_found[i])
                return kKeywords[i].type;
        return FilmType::Slide;
    }

    void Report(FilmTypeReport& report) const {
        report.opened = true;
        report.found = m_found;
        report.textLength = m_textLength;
        report.endedAtZeroByte = m_endedAtZeroByte;
    }

private:
    // The end of the text before this block, then the block.
    std::array<char, kLongestKeyword - 1 + kBlockSize> m_window;
    std::size_t m_carried = 0;
    std::array<bool, kKeywords.size()> m_found{};
    std::size_t m_textLength = 0;
    bool m_endedAtZeroByte = false;
};

} // namespace

const char* FilmTypeKeyword(FilmType type) {
    return kKeywords[static_cast<std::size_t>(type)].text;
}

FilmType DetectFilmType(const CFilePath& directory, FilmTypeReport* report) {
    if (report)
        *report = FilmTypeReport{};
    CKeywordScan scan;
    {
        CFilmTypeFile file(CFilePath(directory, kFilmTypeFileName));
        if (!file.IsOpen())
            return FilmType::Slide;
        std::array<unsigned char, kBlockSize> buffer;
        std::size_t count;
        do {
            count = file.Read(buffer.data(), buffer.size());
        } while (scan.Feed(buffer.data(), count) && count == buffer.size());
    }
    if (report)
        scan.Report(*report);
    return scan.Result();
}
