// The level readout's place, font and text: the display value in decimal, padded with blanks to
// three characters, so that every readout covers the one before it.
#pragma once

#include <array>
#include <limits>

// Client-area pixels of the text's top-left corner, and the font it is drawn in.
constexpr int kReadoutX = 30;
constexpr int kReadoutY = 30;
constexpr int kReadoutFontHeight = 40;
constexpr const char* kReadoutFontFace = "Colonna MT";

// Five blanks: the clearing before each readout is never narrower than they are.
constexpr const char kReadoutClearing[] = "     ";
constexpr int kReadoutClearingLength = 5;
// The characters drawn for a value of -99..99.
constexpr int kReadoutLength = 3;

struct ReadoutText {
    // Room for any int in decimal (all its digits and a sign) and the two blanks after it.
    static constexpr int kBufferSize = std::numeric_limits<int>::digits10 + 2 + 2;

    // The decimal form, then blanks.
    std::array<char, kBufferSize> buffer;
    // The characters of `buffer` to draw: three, or the whole number when it needs more.
    int length;
};

ReadoutText FormatReadout(int displayValue);
