#include "platform/emulated/DeadProcessFiles.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace platform::emulated {
namespace fs = std::filesystem;

bool processIsAlive(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

std::string ownedName(const std::string& prefix) {
    return prefix + std::to_string(::getpid()) + "-";
}

void removeDeadProcessFiles(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        std::size_t end = prefix.size();
        while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
        if (end == prefix.size() || end >= name.size() || name[end] != '-') continue;
        const long pid = std::stol(name.substr(prefix.size(), end - prefix.size()));
        if (processIsAlive(static_cast<pid_t>(pid))) continue;
        std::error_code ignored;
        fs::remove_all(entry.path(), ignored);
    }
}

}  // namespace platform::emulated
