#include "InspectionText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

void CInspectionText::Line(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Append(format, arguments);
    va_end(arguments);
}

void CInspectionText::Warning(const char* format, ...) {
    m_text += "warning: ";
    ++m_warnings;
    va_list arguments;
    va_start(arguments, format);
    Append(format, arguments);
    va_end(arguments);
}

void CInspectionText::Append(const char* format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::max(std::vsnprintf(nullptr, 0, format, measuring), 0);
    va_end(measuring);
    // The formatting's terminating zero makes room for the line feed.
    const std::size_t start = m_text.size();
    m_text.resize(start + length + 1);
    std::vsnprintf(&m_text[start], length + 1, format, arguments);
    m_text.back() = '\n';
}
