// Finds the start-up switches that OLE passes on a program's command line.
#pragma once

#include <string_view>

// Whether the command line holds the switch `name` as a word of its own, written "/name" or
// "-name", in any mix of upper and lower case.
bool HasCommandLineSwitch(std::string_view commandLine, std::string_view name);
