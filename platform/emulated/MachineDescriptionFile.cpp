#include "platform/emulated/MachineDescriptionFile.h"

#include <charconv>
#include <map>

#include "platform/emulated/RegistryNames.h"

namespace platform::emulated {
namespace {

std::string_view trimmedLine(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

// The [Machine] section's settings by upper-cased name.
std::map<std::string, std::string> machineSection(std::string_view text) {
    std::map<std::string, std::string> settings;
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trimmedLine(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            inSection = foldName(line) == "[MACHINE]";
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string name = foldName(trimmedLine(line.substr(0, equals)));
        settings.emplace(name, std::string(trimmedLine(line.substr(equals + 1))));
    }
    return settings;
}

}  // namespace

MachineDescription parseMachineDescription(std::string_view text, const std::string& fileName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    auto settings = machineSection(text);
    auto setting = [&](const char* name) -> const std::string& {
        auto found = settings.find(foldName(name));
        if (found == settings.end()) {
            throw MachineError(fileName + ": [Machine] has no " + name + " setting");
        }
        return found->second;
    };
    auto number = [&](const char* name) {
        const std::string& text = setting(name);
        win32::DWORD value = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) {
            throw MachineError(fileName + ": " + name + " is not a number: \"" + text + "\"");
        }
        return value;
    };
    MachineDescription description;
    description.platform = setting("Platform");
    description.majorVersion = number("MajorVersion");
    description.minorVersion = number("MinorVersion");
    description.buildNumber = number("BuildNumber");
    description.platformId = number("PlatformId");
    auto csd = settings.find("CSDVERSION");
    if (csd != settings.end()) description.csdVersion = csd->second;
    auto administrator = settings.find("ADMINISTRATOR");
    if (administrator != settings.end()) {
        if (administrator->second != "0" && administrator->second != "1") {
            throw MachineError(fileName + ": Administrator must be 0 or 1");
        }
        description.userIsAdministrator = administrator->second == "1";
    }
    if (description.platformId != win32::VER_PLATFORM_WIN32_WINDOWS &&
        description.platformId != win32::VER_PLATFORM_WIN32_NT) {
        throw MachineError(fileName + ": PlatformId must be 1 (Windows 95/98) or 2 (Windows NT)");
    }
    return description;
}

}  // namespace platform::emulated
