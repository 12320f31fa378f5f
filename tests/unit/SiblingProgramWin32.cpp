#include "SiblingProgram.h"

#include <filesystem>
#include <memory>
#include <windows.h>

namespace {

// A process or thread handle, closed when it goes out of scope.
using CHandle = std::unique_ptr<void, decltype(&CloseHandle)>;

} // namespace

int RunSiblingProgram(const std::string& name, const std::vector<std::string>& arguments) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return -1;
    const std::string program =
        (std::filesystem::path(self).parent_path() / (name + ".exe")).string();
    std::string commandLine = "\"" + program + "\"";
    for (const auto& argument : arguments)
        commandLine += " \"" + argument + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return -1;
    const CHandle process(started.hProcess, &CloseHandle);
    const CHandle thread(started.hThread, &CloseHandle);
    DWORD status;
    if (WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &status))
        return -1;
    return static_cast<int>(status);
}
