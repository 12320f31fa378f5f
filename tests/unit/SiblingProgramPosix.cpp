#include "SiblingProgram.h"

#include <cerrno>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

int RunSiblingProgram(const std::string& name, const std::vector<std::string>& arguments) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return -1;
    std::string program = (self.parent_path() / name).string();
    std::vector<std::string> words(arguments);
    std::vector<char*> argv{program.data()};
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
