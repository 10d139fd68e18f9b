#include "platform/FileSystem.h"

#include <fstream>
#include <system_error>

// Plain file operations on the native files behind Windows paths. A system whose files
// are not reached through native paths overrides them.

namespace platform {

bool FileSystem::writeWholeFile(const std::string& windowsPath, const std::string& contents) {
    std::ofstream file(toNative(windowsPath), std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    return !file.fail();
}

bool FileSystem::replaceFile(const std::string& fromWindowsPath, const std::string& toWindowsPath) {
    std::error_code error;
    std::filesystem::rename(toNative(fromWindowsPath), toNative(toWindowsPath), error);
    return !error;
}

bool FileSystem::deleteFile(const std::string& windowsPath) {
    std::error_code error;
    std::filesystem::remove(toNative(windowsPath), error);
    return !error;
}

}  // namespace platform
