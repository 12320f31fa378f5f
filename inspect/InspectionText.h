// The inspector's output: plain text read top to bottom, in sections, with its warnings counted.
#pragma once

#include <cstdarg>
#include <string>

class CInspectionText {
public:
    // A section title, after a blank line.
    void Section(const char* title) { m_text += std::string("\n") + title + "\n"; }
    // One line of text, formatted as by printf (and checked so); a line feed follows.
    void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // One line that begins with "warning: " and counts as a warning.
    void Warning(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const std::string& Text() const { return m_text; }
    int Warnings() const { return m_warnings; }

private:
    void Append(const char* format, va_list arguments);

    std::string m_text;
    int m_warnings = 0;
};
