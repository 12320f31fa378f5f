// A file's path in a fixed buffer: a directory, which ends in its separator, and a file name. A
// path too long for the buffer opens no file, as a missing file would not.
#pragma once

#include <cstddef>

class CFilePath {
public:
    // The longest path the Windows file calls take, with its terminating zero.
    static constexpr std::size_t kCapacity = 260;

    // A directory path. Implicit, so that routines taking a directory take its text too.
    CFilePath(const char* directory);
    // The file `name` in `directory`.
    CFilePath(const CFilePath& directory, const char* name);

    // False when the path did not fit; such a path must not be opened.
    bool Fits() const { return m_fits; }
    // The path's text; empty when it did not fit.
    const char* Text() const { return m_fits ? m_text : ""; }

private:
    void Append(const char* text);

    char m_text[kCapacity] = "";
    std::size_t m_length = 0;
    bool m_fits = true;
};
