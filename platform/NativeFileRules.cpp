#include "platform/NativeFileRules.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace platform {

std::filesystem::path writeTargetOf(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) return file;
    const auto resolved = std::filesystem::weakly_canonical(file, error);
    return error ? file : resolved;
}

bool isReadOnlyFile(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return false;
    return (status.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0;
}

bool isSpecialFile(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return false;
    return !S_ISREG(status.st_mode);
}

}  // namespace platform
