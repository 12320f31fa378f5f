#include "ApplicationTitle.h"

std::string_view ApplicationTitleFromPath(std::string_view modulePath) {
    std::string_view name = modulePath;
    const std::size_t separator = name.find_last_of("\\/");
    if (separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name.remove_suffix(name.size() - dot);
    return name;
}
