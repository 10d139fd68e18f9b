#include "config/SystemVersions.h"

#include <charconv>
#include <exception>
#include <optional>
#include <stdexcept>

#include "platform/Win32.h"
#include "registry/clsEasyRegistry.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kInternetSettingsKey =
    "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\";
constexpr const char* kNavigatorKey =
    "\\HKEY_LOCAL_MACHINE\\Software\\Netscape\\Netscape Navigator\\";

void warn(const std::string& text) {
    platform::ui().messageBox(text, platform::MsgBoxButtons::OKOnly,
                              platform::MsgBoxIcon::Exclamation, kAppTitle);
}

// The text of a registry value, or nothing when it cannot be read.
std::optional<std::string> registryText(const std::string& key, const std::string& valueName) {
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(key);
    const clsEasyRegistry::Value value = registry.ValueOf(valueName);
    if (registry.lastError() != 0) return std::nullopt;
    return value.text;
}

// The version text of a user agent: what follows "MSIE " up to the next ";". A user agent
// naming MSIE without that ";" is not understood.
std::string explorerVersionText(const std::string& userAgent) {
    const std::string marker = "MSIE ";
    const auto found = userAgent.find(marker);
    if (found == std::string::npos) return "0";
    const std::string rest = userAgent.substr(found + marker.size());
    const auto end = rest.find(';');
    if (end == std::string::npos) throw std::invalid_argument("user agent without ';'");
    return rest.substr(0, end);
}

}  // namespace

std::string getOSPlatform() {
    try {
        win32::OSVERSIONINFOA info;
        info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
        if (!win32::GetVersionExA(&info)) return "";
        if (info.dwPlatformId == win32::VER_PLATFORM_WIN32_WINDOWS) return "95";
        if (info.dwPlatformId == win32::VER_PLATFORM_WIN32_NT) return "NT";
        return "";
    } catch (const std::exception&) {
        warn("Error retrieving O/S version information");
        return "";
    }
}

float getIEVersion() {
    try {
        const auto userAgent = registryText(kInternetSettingsKey, "User Agent");
        if (!userAgent) return 0;
        return leadingNumber(explorerVersionText(*userAgent));
    } catch (const std::exception&) {
        warn("Error retrieving Internet Explorer version information");
        return 0;
    }
}

float getNNVersion() {
    try {
        const auto currentVersion = registryText(kNavigatorKey, "CurrentVersion");
        if (!currentVersion) return 0;
        return leadingNumber(currentVersion->substr(0, currentVersion->find(' ')));
    } catch (const std::exception&) {
        warn("Error retrieving Navigator version information");
        return 0;
    }
}

float leadingNumber(const std::string& text) {
    std::size_t position = text.find_first_not_of(' ');
    if (position == std::string::npos) return 0;
    std::string number;
    bool seenPoint = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            number += c;
        } else {
            break;
        }
    }
    float value = 0;
    // from_chars, unlike strtof, does not depend on the locale's decimal point.
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) {
        return 0;
    }
    return value;
}
