#include "CommandLineSwitches.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    }
    return true;
}

bool IsSwitch(std::string_view word, std::string_view name) {
    if (word.size() != name.size() + 1 || (word[0] != '/' && word[0] != '-'))
        return false;
    word.remove_prefix(1);
    return EqualIgnoringCase(word, name);
}

} // namespace

bool HasCommandLineSwitch(std::string_view commandLine, std::string_view name) {
    std::size_t start = 0;
    while (start < commandLine.size()) {
        if (IsBlank(commandLine[start])) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < commandLine.size() && !IsBlank(commandLine[end]))
            ++end;
        if (IsSwitch(std::string_view(commandLine.data() + start, end - start), name))
            return true;
        start = end;
    }
    return false;
}
