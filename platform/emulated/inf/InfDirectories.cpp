#include "platform/emulated/inf/InfDirectories.h"

#include <charconv>

#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace platform::emulated::inf {
namespace {

// The registry value NAME below HKEY_LOCAL_MACHINE's CurrentVersion key, as Windows keeps
// the Program Files folders there.
std::optional<std::string> currentVersionValue(const char* name) {
    win32::HKEY key = 0;
    if (win32::RegOpenKeyExA(win32::HKEY_LOCAL_MACHINE,
                             "Software\\Microsoft\\Windows\\CurrentVersion", 0, win32::KEY_READ,
                             &key) != win32::ERROR_SUCCESS)
        return std::nullopt;
    char data[260] = {};
    win32::DWORD size = sizeof data;
    win32::DWORD type = 0;
    const auto result = win32::RegQueryValueExA(key, name, nullptr, &type,
                                                reinterpret_cast<win32::BYTE*>(data), &size);
    win32::RegCloseKey(key);
    if (result != win32::ERROR_SUCCESS || type != win32::REG_SZ) return std::nullopt;
    return stripTerminator(std::string_view(data, size));
}

std::string driveRoot(const std::string& windowsFolder) {
    return windowsFolder.substr(0, windowsFolder.find('\\'));
}

}  // namespace

std::optional<long> parseInfNumber(const std::string& text) {
    std::string_view digits = trimBlanks(text);
    if (digits.empty()) return std::nullopt;
    bool negative = false;
    if (digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    unsigned long value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size() || value > 0xFFFFFFFFul)
        return std::nullopt;
    return negative ? -static_cast<long>(value) : static_cast<long>(value);
}

InfDirectories::InfDirectories(std::string sourceFolder) : sourceFolder_(std::move(sourceFolder)) {}

std::optional<std::string> InfDirectories::folder(long dirid) const {
    if (auto custom = custom_.find(dirid); custom != custom_.end()) return custom->second;
    const std::string windows = win32::GetWindowsDirectoryA();
    const std::string system = win32::GetSystemDirectoryA();
    win32::OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    const bool nt = win32::GetVersionExA(&version) && version.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
    const std::string root = driveRoot(windows);
    switch (dirid) {
        case 1: return sourceFolder_;
        case 10: case 25: case 27: return windows;
        case 11: return system;
        case 12: return system + (nt ? "\\drivers" : "\\IOSUBSYS");
        case 17: return windows + "\\INF";
        case 18: return windows + "\\HELP";
        case 20: return windows + "\\FONTS";
        case 24: case 26: case 28: case 30: case 31: return root;
        case 50: return windows + "\\SYSTEM";
        case 16422: return currentVersionValue("ProgramFilesDir").value_or(root + "\\Program Files");
        case 16427:
            return currentVersionValue("CommonFilesDir")
                .value_or(root + "\\Program Files\\Common Files");
        default: return std::nullopt;
    }
}

}  // namespace platform::emulated::inf
