#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

std::filesystem::path Win32FileSystem::toNative(const std::string& windowsPath) {
    return std::filesystem::path(windowsPath).make_preferred();
}

std::string Win32FileSystem::toWindows(const std::filesystem::path& nativePath) {
    std::filesystem::path path = nativePath;
    return path.make_preferred().string();
}

bool Win32FileSystem::fileExists(const std::string& windowsPath) {
    const auto facts = win32sys::fileFacts(windowsPath);
    return facts && !facts->directory && !facts->device;
}

bool Win32FileSystem::replaceFile(const std::string& fromWindowsPath,
                                  const std::string& toWindowsPath) {
    // MoveFileExA refuses to replace a read-only file, as the callers expect.
    const auto target = win32sys::fileFacts(toWindowsPath);
    if (target && (target->directory || target->device)) return false;
    return win32sys::moveFileReplacing(fromWindowsPath, toWindowsPath);
}

bool Win32FileSystem::deleteFile(const std::string& windowsPath) {
    if (!win32sys::fileFacts(windowsPath)) return true;  // nothing to remove
    return win32sys::deleteFile(windowsPath);
}

}  // namespace platform::win32impl
