#include "FilmTypeText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "FilmTypeFile.h"

namespace {

// Finds the keywords in text that arrives in pieces of at most one block, also across pieces.
class CKeywordFinder {
public:
    explicit CKeywordFinder(bool ignoreCase) : m_ignoreCase(ignoreCase) { m_at.fill(kNowhere); }

    void Feed(const unsigned char* bytes, std::size_t count) {
        std::copy(bytes, bytes + count, m_window.begin() + m_carried);
        const std::size_t length = m_carried + count;
        const char* const text = m_window.data();
        for (int type = 0; type < kFilmTypeCount; ++type) {
            if (m_at[type] != kNowhere)
                continue;
            const char* keyword = FilmTypeKeyword(static_cast<FilmType>(type));
            const std::size_t size = std::strlen(keyword);
            const char* hit = std::search(text, text + length, keyword, keyword + size,
                                          [this](char a, char b) { return Same(a, b); });
            if (hit != text + length) {
                m_at[type] = m_windowOffset + (hit - text);
                m_text[type].assign(hit, size);
            }
        }
        // Keep just enough to complete a keyword that the next piece finishes.
        const std::size_t kept = std::min(length, kLongestFilmTypeKeyword - 1);
        std::memmove(m_window.data(), text + length - kept, kept);
        m_windowOffset += length - kept;
        m_carried = kept;
    }

    unsigned long long At(int type) const { return m_at[type]; }
    const std::string& Text(int type) const { return m_text[type]; }

private:
    bool Same(char a, char b) const {
        if (!m_ignoreCase)
            return a == b;
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    }

    bool m_ignoreCase;
    std::array<char, kLongestFilmTypeKeyword - 1 + kFilmTypeBlockSize> m_window;
    std::size_t m_carried = 0;
    // The file offset of the window's first byte.
    unsigned long long m_windowOffset = 0;
    std::array<unsigned long long, kFilmTypeCount> m_at;
    std::array<std::string, kFilmTypeCount> m_text;
};

} // namespace

FilmTypeText ReadFilmTypeText(const CFilePath& path) {
    FilmTypeText facts;
    facts.caseIgnoredAt.fill(kNowhere);
    CFilmTypeFile file(path);
    if (!file.IsOpen())
        return facts;
    facts.opened = true;
    CKeywordFinder inText(true);
    CKeywordFinder afterText(false);
    std::array<unsigned char, kFilmTypeBlockSize> block;
    std::size_t count;
    while ((count = file.Read(block.data(), block.size())) > 0) {
        const unsigned char* start = block.data();
        const unsigned char* end = start + count;
        if (facts.zeroByteAt == kNowhere) {
            const unsigned char* zero = std::find(start, end, 0);
            inText.Feed(start, zero - start);
            if (zero != end)
                facts.zeroByteAt = facts.length + (zero - start);
            start = zero;
        }
        afterText.Feed(start, end - start);
        facts.length += count;
    }
    for (int type = 0; type < kFilmTypeCount; ++type) {
        facts.caseIgnoredAt[type] = inText.At(type);
        facts.caseIgnoredText[type] = inText.Text(type);
        facts.afterZeroByte[type] = afterText.At(type) != kNowhere;
    }
    return facts;
}
