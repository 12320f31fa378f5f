#include "ReadoutText.h"

#include <algorithm>
#include <charconv>

ReadoutText FormatReadout(int displayValue) {
    ReadoutText text;
    text.buffer.fill(' ');
    // Decimal digits with a leading minus for negative values; the buffer holds any int.
    char* const end =
        std::to_chars(text.buffer.data(), text.buffer.data() + text.buffer.size(), displayValue)
            .ptr;
    text.length = std::max(kReadoutLength, static_cast<int>(end - text.buffer.data()));
    return text;
}
