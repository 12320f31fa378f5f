// The film type keywords and the scanner that finds them as the file arrives block by block. The
// tool's detection and the detailed reading of the file run the same scanner.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "FilmType.h"
#include "FilmTypeFile.h"

struct Keyword {
    const char* text;
    FilmType type;
};

// In search order: the first keyword present decides.
inline constexpr std::array<Keyword, 5> kKeywords = {{
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

// The length of the longest keyword: a keyword split between two blocks has at most this many
// bytes less one in the first.
constexpr std::size_t kLongestKeyword = 5;

constexpr bool LongestKeywordIsKnown() {
    std::size_t longest = 0;
    for (const Keyword& keyword : kKeywords)
        longest = std::max(longest, std::string_view(keyword.text).size());
    return longest == kLongestKeyword;
}
static_assert(LongestKeywordIsKnown());

// Compares bytes as the tool does.
struct SameByte {
    bool operator()(char a, char b) const { return a == b; }
};

// An offset where a keyword does not stand.
constexpr unsigned long long kNowhere = ~0ull;

// Finds where each keyword first stands in bytes that arrive in pieces of at most one block, also
// across pieces.
template <typename Same> class CKeywordScan {
public:
    CKeywordScan() { m_at.fill(kNowhere); }

    void Feed(const unsigned char* bytes, std::size_t count) {
        std::copy(bytes, bytes + count, m_window.data() + m_carried);
        const char* text = m_window.data();
        const std::size_t length = m_carried + count;
        for (std::size_t i = 0; i < kKeywords.size(); ++i) {
            if (m_at[i] != kNowhere)
                continue;
            const char* keyword = kKeywords[i].text;
            const std::size_t size = std::strlen(keyword);
            const char* hit = std::search(text, text + length, keyword, keyword + size, Same());
            if (hit != text + length) {
                m_at[i] = m_windowOffset + (hit - text);
                std::copy(hit, hit + size, m_written[i].data());
            }
        }
        // Keep just enough to complete a keyword that the next piece finishes.
        m_carried = std::min(length, kLongestKeyword - 1);
        std::memmove(m_window.data(), text + length - m_carried, m_carried);
        m_windowOffset += length - m_carried;
    }

    unsigned long long At(std::size_t keyword) const { return m_at[keyword]; }
    // The bytes that stand where the keyword was found.
    std::string_view Written(std::size_t keyword) const {
        return {m_written[keyword].data(), std::strlen(kKeywords[keyword].text)};
    }

private:
    // The end of the bytes before this piece, then the piece.
    std::array<char, kLongestKeyword - 1 + kFilmTypeBlockSize> m_window;
    std::size_t m_carried = 0;
    // The offset of the window's first byte.
    unsigned long long m_windowOffset = 0;
    std::array<unsigned long long, kKeywords.size()> m_at;
    std::array<std::array<char, kLongestKeyword>, kKeywords.size()> m_written;
};

// The text's share of a block just read: the bytes before its first zero byte. Counts them into
// the report and notes whether a zero byte ended the text.
inline std::size_t TextOfBlock(const unsigned char* block, std::size_t count,
                               FilmTypeReport& report) {
    const std::size_t text = std::find(block, block + count, 0) - block;
    report.textLength += text;
    report.endedAtZeroByte = text < count;
    return text;
}

inline FilmType FirstFound(const FilmTypeReport& report) {
    for (std::size_t i = 0; i < kKeywords.size(); ++i)
        if (report.found[i])
            return kKeywords[i].type;
    return FilmType::Slide;
}
