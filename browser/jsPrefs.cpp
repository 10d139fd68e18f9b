#include "browser/jsPrefs.h"

#include <optional>
#include <utility>

#include "browser/browserText.h"
#include "browser/jsString.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

namespace {

// Visual Basic's run-time error numbers, which callers of this class know.
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kPathFileAccessError = 75;
constexpr const char* kSource = "jsPrefs";

std::string keyPrefix(const std::string& sKey) {
    // The closing quote keeps "network.proxy.http" apart from "network.proxy.http_port".
    return "user_pref(\"" + platform::lowerAscii(sKey) + "\"";
}

std::string settingLine(const std::string& sKey, const std::string& sValue) {
    return "user_pref(\"" + sKey + "\", " + sValue + ");";
}

// The position of the quote that closes the string starting at OPEN (a double quote),
// npos when the line never closes it.
std::size_t closingQuote(const std::string& sLine, std::size_t open) {
    std::size_t i = open + 1;
    while (i < sLine.size() && sLine[i] != '"') {
        i += (sLine[i] == '\\') ? 2 : 1;
    }
    return i < sLine.size() ? i : std::string::npos;
}

// The text of the string that starts at OPEN, up to its closing quote, or to the
// line's ");" when the quote is never closed.
std::string quotedValue(const std::string& sLine, std::size_t open) {
    std::size_t end = closingQuote(sLine, open);
    if (end == std::string::npos) {
        const std::size_t close = sLine.rfind(");");
        end = (close == std::string::npos || close <= open) ? sLine.size() : close;
    }
    return jsstring::unescape(sLine.substr(open + 1, end - open - 1));
}

std::string plainValue(const std::string& sLine, std::size_t start) {
    const std::size_t close = sLine.find(')', start);
    const std::size_t end = (close == std::string::npos) ? sLine.size() : close;
    return std::string(platform::trimBlanks(sLine.substr(start, end - start)));
}

[[noreturn]] void raiseFileError(std::int32_t number, const std::string& sWhat,
                                 const std::string& sFile) {
    throw RaisedError(number, kSource, sWhat + ": " + sFile);
}

}  // namespace

jsPrefs::~jsPrefs() {
    if (fileName_.empty()) return;
    try {
        closePrefsFile();
    } catch (const std::exception&) {
        // A destructor cannot pass the failure on; tell the user instead.
        try {
            showWriteError();
        } catch (const std::exception&) {
        }
    }
}

void jsPrefs::openPrefsFile(const std::string& sFile, bool bMode) {
    if (!fileName_.empty()) closePrefsFile();
    std::string contents;
    if (!browsertext::readFile(platform::files().toNative(sFile), contents)) {
        raiseFileError(kFileNotFound, "File not found", sFile);
    }
    // Name and mode are kept only once the lines are in hand, so that a file that could
    // not be read is never written back empty.
    lines_ = platform::splitLines(contents);
    fileName_ = sFile;
    writeMode_ = bMode;
}

void jsPrefs::closePrefsFile() {
    const bool write = writeMode_ && !fileName_.empty();
    std::vector<std::string> lines = std::exchange(lines_, {});
    std::string name = std::exchange(fileName_, {});
    writeMode_ = false;
    if (write) writeBack(name, lines);
}

std::string jsPrefs::getSetting(const std::string& sKey) const {
    const std::optional<Value> value = findValue(sKey);
    if (!value) return "";
    if (value->start < value->line->size() && (*value->line)[value->start] == '"') {
        return quotedValue(*value->line, value->start);
    }
    return plainValue(*value->line, value->start);
}

void jsPrefs::saveSettingStr(const std::string& sKey, const std::string& sValue) {
    placeLine(sKey, settingLine(sKey, textLiteral(sKey, sValue)));
}

void jsPrefs::saveSettingInt(const std::string& sKey, std::int32_t iValue) {
    try {
        placeLine(sKey, settingLine(sKey, std::to_string(iValue)));
    } catch (const std::exception&) {
        showWriteError();
    }
}

void jsPrefs::deleteSetting(const std::string& sKey) {
    const std::size_t number = findLine(keyPrefix(sKey));
    if (number > 0) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(number - 1));
}

void jsPrefs::showWriteError() {
    platform::ui().messageBox("Error writing Navigator preferences",
                              platform::MsgBoxButtons::OKOnly, platform::MsgBoxIcon::Exclamation,
                              kAppTitle);
}

bool jsPrefs::isOpen() const {
    return !fileName_.empty();
}

const std::vector<std::string>& jsPrefs::lines() const {
    return lines_;
}

// Where the value of the key's line begins (after the comma and any blanks); none when
// the key has no line or its call has no value, such as user_pref("key"); .
std::optional<jsPrefs::Value> jsPrefs::findValue(const std::string& sKey) const {
    const std::string prefix = keyPrefix(sKey);
    const std::size_t number = findLine(prefix);
    if (number == 0) return std::nullopt;
    const std::string& line = lines_[number - 1];
    const std::size_t keyEnd = platform::lowerAscii(line).find(prefix) + prefix.size();
    const std::size_t comma = line.find(',', keyEnd);
    if (comma == std::string::npos || line.find(')', keyEnd) < comma) return std::nullopt;
    std::size_t start = comma + 1;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    return Value{&line, start};
}

// The quoted text for sValue. When the key's line already holds a string that reads as
// sValue, that string is kept byte for byte: however the browser or a person escaped it
// ("\u00e9", "\x41"), an unchanged value is written back unchanged.
std::string jsPrefs::textLiteral(const std::string& sKey, const std::string& sValue) const {
    const std::optional<Value> value = findValue(sKey);
    if (value && value->start < value->line->size() && (*value->line)[value->start] == '"') {
        const std::size_t close = closingQuote(*value->line, value->start);
        if (close != std::string::npos && quotedValue(*value->line, value->start) == sValue) {
            return value->line->substr(value->start, close - value->start + 1);
        }
    }
    std::string quoted = jsstring::escape(sValue);
    quoted.insert(quoted.begin(), '"');
    quoted.push_back('"');
    return quoted;
}

std::size_t jsPrefs::findLine(const std::string& sPrefix) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (platform::lowerAscii(platform::trimBlanks(lines_[i])).starts_with(sPrefix))
            return i + 1;
    }
    return 0;
}

// A replaced line keeps its place, except that a replaced last line ends up one place
// higher; a new key goes before the last line. With no line to go before, the line is
// appended.
void jsPrefs::placeLine(const std::string& sKey, const std::string& sLine) {
    std::size_t before = findLine(keyPrefix(sKey));
    if (before > 0) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(before - 1));
        if (before > lines_.size()) --before;
    } else {
        before = lines_.size();
    }
    if (before == 0) {
        lines_.push_back(sLine);
    } else {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(before - 1), sLine);
    }
}

// The new contents go to a temporary file beside the old one, which then takes its
// place in one step: Navigator's preferences are never left half-written.
void jsPrefs::writeBack(const std::string& sFile, const std::vector<std::string>& lines) {
    std::string contents;
    for (const std::string& line : lines) contents += line + "\r\n";
    platform::FileSystem& files = platform::files();
    const std::string temporary = sFile + ".rmw-new";
    if (!files.writeWholeFile(temporary, contents) || !files.replaceFile(temporary, sFile)) {
        files.deleteFile(temporary);
        raiseFileError(kPathFileAccessError, "Path/File access error", sFile);
    }
}
