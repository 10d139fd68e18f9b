#include "platform/emulated/MachineSystemInfo.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace platform::emulated {

MachineSystemInfo::MachineSystemInfo(MachineDescription description, std::filesystem::path driveC)
    : description_(std::move(description)), driveC_(std::move(driveC)) {}

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
    return windowsPathOf(program.parent_path());
}

std::string MachineSystemInfo::windowsPathOf(const std::filesystem::path& native) const {
    // Files inside drive_c/ are on C:; everything else is seen through Z:, the root.
    std::error_code error;
    std::filesystem::path drive = std::filesystem::weakly_canonical(driveC_, error);
    std::filesystem::path relative = native.lexically_relative(drive);
    std::string windows;
    if (!relative.empty() && *relative.begin() != "..") {
        windows = "C:\\" + (relative == "." ? std::string() : relative.string());
    } else {
        windows = "Z:" + native.string();
    }
    std::replace(windows.begin(), windows.end(), '/', '\\');
    if (windows.size() > 3 && windows.back() == '\\') windows.pop_back();
    return windows;
}

}  // namespace platform::emulated
