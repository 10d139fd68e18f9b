#include "platform/win32/Win32SystemInfo.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {
namespace {

// A folder as the system's callers expect it: without a trailing backslash, except
// for a drive's root ("C:\").
std::string withoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace

win32::BOOL Win32SystemInfo::GetVersionExA(win32::OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != win32::OSVERSIONINFOA_SIZE) return 0;
    const auto version = win32sys::version();
    if (!version) return 0;
    info->dwMajorVersion = version->major;
    info->dwMinorVersion = version->minor;
    info->dwBuildNumber = version->build;
    info->dwPlatformId = version->platformId;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    const std::size_t length = std::min(version->servicePack.size(), sizeof info->szCSDVersion - 1);
    std::memcpy(info->szCSDVersion, version->servicePack.data(), length);
    return 1;
}

std::string Win32SystemInfo::GetWindowsDirectoryA() {
    return withoutTrailingBackslash(win32sys::windowsDirectory());
}

std::string Win32SystemInfo::GetSystemDirectoryA() {
    return withoutTrailingBackslash(win32sys::systemDirectory());
}

std::string Win32SystemInfo::programFolder() {
    const std::string program = win32sys::programPath();
    const std::size_t slash = program.find_last_of('\\');
    return withoutTrailingBackslash(slash == std::string::npos ? "." : program.substr(0, slash));
}

// Below the common application data, so every user's applies share one history and lock.
std::string Win32SystemInfo::stateFolder() {
    const std::string common = win32sys::commonAppDataFolder();
    return common.empty() ? std::string() : withoutTrailingBackslash(common) + "\\Roamwise";
}

}  // namespace platform::win32impl
