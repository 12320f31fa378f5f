// Runs a test program that is built beside the running test executable, as a process of its own.
#pragma once

#include <string>
#include <vector>

// Starts the program `name` from the test executable's directory with `arguments` (which hold no
// quote and end in no backslash) and waits for it to end. Returns its exit status, or -1 when it
// could not be run or did not exit normally.
int RunSiblingProgram(const std::string& name, const std::vector<std::string>& arguments);
