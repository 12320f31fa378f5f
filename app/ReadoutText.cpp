#include "ReadoutText.h"

#include <algorithm>
#include <cstdio>

ReadoutText FormatReadout(int displayValue) {
    ReadoutText text;
    text.buffer.fill(' ');
    const int written = std::snprintf(text.buffer.data(), text.buffer.size(), "%d", displayValue);
    // The terminating zero and the character after it become blanks.
    text.buffer[written] = ' ';
    text.buffer[written + 1] = ' ';
    text.length = std::max(kReadoutLength, written);
    return text;
}
