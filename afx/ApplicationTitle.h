// The application's title: its executable's file name without the extension.
#pragma once

#include <string_view>

// "Quenlit" for "C:\Tools\Quenlit.exe", as a part of the path given. Either slash separates
// directories; only the last dot of the file name starts the extension.
std::string_view ApplicationTitleFromPath(std::string_view modulePath);
