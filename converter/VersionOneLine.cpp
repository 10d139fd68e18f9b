#include "converter/VersionOneLine.h"

#include <array>
#include <string_view>

#include "converter/SettingSections.h"
#include "platform/AsciiText.h"

namespace converter {
namespace {

struct KeyAndValue {
    std::string key;
    std::string value;
};

struct ValueLessKeyword {
    const char* keyword;
    const char* key;
    const char* value;
};

// Version 1 spelled a few switches as bare keywords.
constexpr std::array<ValueLessKeyword, 4> valueLessKeywords{{
    {"dhcpwins", "WINS", "1"},
    {"nodhcpwins", "WINS", "0"},
    {"autoapply", "AutoApply", "1"},
    {"autoreboot", "AutoReboot", "1"},
}};

bool isIgnoredLine(const std::string& line) {
    const std::string folded = platform::lowerAscii(platform::trimBlanks(line));
    return folded.empty() || folded.starts_with("#") || folded.starts_with("rmw_version");
}

// The text between the opening quote at OPENING and the closing quote that ends the
// line. Blanks after the closing quote are not part of the value, and a line whose
// closing quote is missing keeps its last character. No quote at all: no value.
std::string quotedValue(std::string_view line, std::size_t opening) {
    if (opening == std::string_view::npos) return "";
    std::string rest(platform::trimBlanks(line.substr(opening + 1)));
    if (!rest.empty() && rest.back() == '\'') rest.pop_back();
    return std::string(platform::trimBlanks(rest));
}

KeyAndValue keyAndValue(const std::string& line) {
    const std::size_t opening = line.find('\'');
    const std::string keyword(platform::trimBlanks(std::string_view(line).substr(0, opening)));
    const std::string foldedKeyword = platform::lowerAscii(keyword);
    for (const auto& entry : valueLessKeywords) {
        if (foldedKeyword == entry.keyword) return {entry.key, entry.value};
    }
    return {keyword, quotedValue(line, opening)};
}

// The logon switch was a yes/no answer; version 2 keeps switches as "1" and "0".
std::string logonSwitch(const std::string& answer) {
    return platform::lowerAscii(answer) == "yes" ? "1" : "0";
}

}  // namespace

std::optional<ConvertedSetting> readVersionOneLine(const std::string& line) {
    if (isIgnoredLine(line)) return std::nullopt;
    KeyAndValue setting = keyAndValue(line);
    if (platform::lowerAscii(setting.key) == "ntlogon") setting.value = logonSwitch(setting.value);
    std::optional<std::string> section = sectionForKey(setting.key);
    if (!section) return std::nullopt;
    return ConvertedSetting{*section, setting.key, setting.value};
}

}  // namespace converter
