#include "browser/jsPrefs.h"

#include <utility>

#include "browser/browserText.h"
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
    return "user_pref(\"" + browsertext::toLower(sKey) + "\"";
}

std::string settingLine(const std::string& sKey, const std::string& sValue) {
    return "user_pref(\"" + sKey + "\", " + sValue + ");";
}

// A text value as a JavaScript string body: quotes, backslashes and line breaks inside
// it must not end the string or the line.
std::string escapeText(const std::string& sValue) {
    std::string escaped;
    for (char c : sValue) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '"':
                escaped += "\\\"";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string unescapeText(const std::string& sBody) {
    std::string text;
    for (std::size_t i = 0; i < sBody.size(); ++i) {
        if (sBody[i] != '\\' || i + 1 == sBody.size()) {
            text += sBody[i];
            continue;
        }
        const char next = sBody[++i];
        switch (next) {
            case '\\':
            case '"':
            case '\'':
                text += next;
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            // Escapes this class never writes (\u..., \x...) are kept as they stand.
            default:
                text += '\\';
                text += next;
        }
    }
    return text;
}

// The body of the string that starts at OPEN (a double quote), up to its closing
// quote, or to the line's ");" when the quote is never closed.
std::string quotedValue(const std::string& sLine, std::size_t open) {
    std::size_t i = open + 1;
    while (i < sLine.size() && sLine[i] != '"') {
        i += (sLine[i] == '\\') ? 2 : 1;
    }
    if (i >= sLine.size()) {
        const std::size_t close = sLine.rfind(");");
        i = (close == std::string::npos || close <= open) ? sLine.size() : close;
    }
    return unescapeText(sLine.substr(open + 1, i - open - 1));
}

std::string plainValue(const std::string& sLine, std::size_t start) {
    const std::size_t close = sLine.find(')', start);
    const std::size_t end = (close == std::string::npos) ? sLine.size() : close;
    return browsertext::trim(sLine.substr(start, end - start));
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
    lines_ = browsertext::splitLines(contents);
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
    const std::size_t number = findLine(keyPrefix(sKey));
    if (number == 0) return "";
    const std::string& line = lines_[number - 1];
    const std::size_t keyEnd =
        browsertext::toLower(line).find(keyPrefix(sKey)) + keyPrefix(sKey).size();
    const std::size_t comma = line.find(',', keyEnd);
    // A call without a value, such as user_pref("key"); , has none to give.
    if (comma == std::string::npos || line.find(')', keyEnd) < comma) return "";
    std::size_t start = comma + 1;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start < line.size() && line[start] == '"') return quotedValue(line, start);
    return plainValue(line, start);
}

void jsPrefs::saveSettingStr(const std::string& sKey, const std::string& sValue) {
    std::string quoted = escapeText(sValue);
    quoted.insert(quoted.begin(), '"');
    quoted.push_back('"');
    placeLine(sKey, settingLine(sKey, quoted));
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
                              kAppName);
}

bool jsPrefs::isOpen() const {
    return !fileName_.empty();
}

const std::vector<std::string>& jsPrefs::lines() const {
    return lines_;
}

std::size_t jsPrefs::findLine(const std::string& sPrefix) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (browsertext::toLower(browsertext::trim(lines_[i])).starts_with(sPrefix)) return i + 1;
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
