#include "ApplicationTitle.h"

std::string ApplicationTitleFromPath(std::string_view modulePath) {
    const std::size_t separator = modulePath.find_last_of("\\/");
    std::string_view name =
        separator == std::string_view::npos ? modulePath : modulePath.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}
