#include "platform/emulated/MachineSystemInfo.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace platform::emulated {

MachineSystemInfo::MachineSystemInfo(MachineDescription description, FileSystem& paths)
    : description_(std::move(description)), paths_(paths) {}

win32::BOOL MachineSystemInfo::GetVersionExA(win32::OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != win32::OSVERSIONINFOA_SIZE) return 0;
    info->dwMajorVersion = description_.majorVersion;
    info->dwMinorVersion = description_.minorVersion;
    info->dwBuildNumber = description_.buildNumber;
    info->dwPlatformId = description_.platformId;
    std::size_t length = std::min(description_.csdVersion.size(), sizeof info->szCSDVersion - 1);
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    std::memcpy(info->szCSDVersion, description_.csdVersion.data(), length);
    return 1;
}

std::string MachineSystemInfo::GetWindowsDirectoryA() {
    return description_.isNT() ? "C:\\WINNT" : "C:\\WINDOWS";
}

std::string MachineSystemInfo::GetSystemDirectoryA() {
    return description_.isNT() ? "C:\\WINNT\\system32" : "C:\\WINDOWS\\SYSTEM";
}

std::string MachineSystemInfo::programFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) program = std::filesystem::current_path() / "program";
    return paths_.toWindows(program.parent_path());
}

std::string MachineSystemInfo::GetTempPathA() {
    const std::string folder = description_.isNT() ? "C:\\TEMP" : "C:\\WINDOWS\\TEMP";
    std::error_code error;
    std::filesystem::create_directories(paths_.toNative(folder), error);
    return error ? std::string() : folder + "\\";
}

bool MachineSystemInfo::tokenListsAdministrators() {
    return description_.isNT() && description_.userIsAdministrator;
}

}  // namespace platform::emulated
