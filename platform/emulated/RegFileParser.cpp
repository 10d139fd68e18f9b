#include "platform/emulated/RegFileParser.h"

#include <cctype>

#include "platform/AsciiText.h"
#include "platform/emulated/AnsiText.h"
#include "platform/emulated/RegistryNames.h"

namespace platform::emulated {
namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view trimmed(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A hexadecimal number of 1 to MAXDIGITS digits; false when TEXT is not one.
bool parseHexNumber(std::string_view text, std::size_t maxDigits, std::uint32_t& number) {
    if (text.empty() || text.size() > maxDigits) return false;
    number = 0;
    for (char c : text) {
        int digit = hexDigit(c);
        if (digit < 0) return false;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool holdsUtf16Strings(win32::DWORD type) {
    return type == win32::REG_SZ || type == win32::REG_EXPAND_SZ || type == win32::REG_MULTI_SZ;
}

}  // namespace

RegFileParser::RegFileParser(std::string fileName) : fileName_(std::move(fileName)) {}

void RegFileParser::fail(int line, const std::string& message) const {
    throw RegFileError(fileName_ + ", line " + std::to_string(line) + ": " + message);
}

std::string RegFileParser::decode(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE")) return ansiFromUtf16(bytes.substr(2));
    if (startsWith(bytes, "\xEF\xBB\xBF")) return ansiFromUtf8(bytes.substr(3));
    // Version 5.00 files without a byte-order mark are UTF-8; REGEDIT4 files are
    // single-byte text and are taken byte for byte.
    if (startsWith(bytes, kVersion5) && isValidUtf8(bytes)) return ansiFromUtf8(bytes);
    return std::string(bytes);
}

std::vector<RegFileParser::LogicalLine> RegFileParser::splitLines(const std::string& text) const {
    std::vector<LogicalLine> lines;
    bool continuing = false;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view raw(text.data() + start, end - start);
        start = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string_view content = continuing ? trimmed(raw) : raw;
        if (!continuing) lines.push_back({std::string(), number});
        // A final backslash continues the line, except where it closes a key name or
        // ends a comment ("; files live in C:\Windows\"): a comment ends at its line.
        std::string_view ending = trimmed(content);
        const std::string_view started = trimmed(lines.back().text);
        const std::string_view opening = started.empty() ? trimmed(content) : started;
        const bool keyOrComment =
            !opening.empty() && (opening.front() == '[' || opening.front() == ';');
        continuing = !ending.empty() && ending.back() == '\\' && !keyOrComment;
        if (continuing) content = ending.substr(0, ending.size() - 1);
        lines.back().text += content;
    }
    return lines;
}

std::vector<RegFileEntry> RegFileParser::parse(std::string_view bytes) {
    std::string text = decode(bytes);
    std::vector<LogicalLine> lines = splitLines(text);
    std::size_t first = 0;
    while (first < lines.size() && trimmed(lines[first].text).empty()) ++first;
    if (first == lines.size()) fail(1, "empty file: not a registry file");
    std::string_view header = trimmed(lines[first].text);
    if (header == kVersion5) {
        unicodeFile_ = true;
    } else if (header != kRegedit4) {
        fail(lines[first].number, "not a registry file (expected \"REGEDIT4\")");
    }
    std::vector<RegFileEntry> entries;
    for (std::size_t i = first + 1; i < lines.size(); ++i) parseLine(lines[i], entries);
    return entries;
}

void RegFileParser::parseLine(const LogicalLine& line, std::vector<RegFileEntry>& entries) {
    std::string_view text = trimmed(line.text);
    if (text.empty() || text.front() == ';') return;
    if (text.front() == '[') return parseKey(line, entries);
    if (text.front() == '"' || text.front() == '@') return parseValue(line, entries);
    fail(line.number, "unrecognised line \"" + std::string(text.substr(0, 40)) + "\"");
}

void RegFileParser::parseKey(const LogicalLine& line, std::vector<RegFileEntry>& entries) {
    std::string_view text = line.text;
    text.remove_prefix(text.find('[') + 1);
    std::size_t close = text.rfind(']');
    if (close == std::string_view::npos) fail(line.number, "key name without closing ']'");
    if (!trimmed(text.substr(close + 1)).empty()) {
        fail(line.number, "text after the key name's closing ']'");
    }
    // Blanks inside the brackets belong to the key names.
    std::string_view path = text.substr(0, close);
    bool deletion = !path.empty() && path.front() == '-';
    if (deletion) path.remove_prefix(1);
    const auto rooted = splitRootedPath(path);
    if (!rooted) fail(line.number, "unknown root key in \"" + std::string(path) + "\"");
    const std::vector<std::string> names = splitKeyPath(rooted->subPath);
    if (deletion && names.empty()) {
        fail(line.number, concat({"the predefined key ", rooted->root.name, " cannot be deleted"}));
    }
    if (!deletion) requireCreatableKey(line, names);
    RegFileEntry entry;
    entry.kind = deletion ? RegFileEntry::Kind::DeleteKey : RegFileEntry::Kind::Key;
    entry.line = line.number;
    entry.keyPath = std::string(path);
    entries.push_back(entry);
    currentKey_ = entry.keyPath;
    keyDeleted_ = deletion;
}

// A key the registry functions could not create would be one they cannot list, and a
// name with a line break one that no registry file can hold: exporting its parent
// would fail.
void RegFileParser::requireCreatableKey(const LogicalLine& line,
                                        const std::vector<std::string>& names) const {
    if (names.size() > kDeepestKey) {
        fail(line.number, "a key more than " + std::to_string(kDeepestKey) + " levels deep");
    }
    for (const auto& name : names) {
        if (name.size() > kLongestKeyName) {
            fail(line.number,
                 "a key name longer than " + std::to_string(kLongestKeyName) + " characters");
        }
        requireOneLine(line, name, "key name");
    }
}

void RegFileParser::requireOneLine(const LogicalLine& line, const std::string& name,
                                   const char* what) const {
    if (name.find_first_of("\r\n") != std::string::npos) {
        fail(line.number, concat({"a ", what, " holding a line break"}));
    }
}

std::string RegFileParser::parseQuoted(const LogicalLine& line, std::size_t& at) const {
    const std::string& text = line.text;
    std::string result;
    for (++at; at < text.size(); ++at) {
        char c = text[at];
        if (c == '"') {
            ++at;
            return result;
        }
        if (c == '\\' && at + 1 < text.size() && (text[at + 1] == '\\' || text[at + 1] == '"')) {
            c = text[++at];
        }
        result += c;
    }
    fail(line.number, "text without closing quote");
}

void RegFileParser::parseValue(const LogicalLine& line, std::vector<RegFileEntry>& entries) {
    if (currentKey_.empty()) fail(line.number, "value before the first key");
    if (keyDeleted_) fail(line.number, "value below a deleted key");
    RegFileEntry entry;
    entry.line = line.number;
    entry.keyPath = currentKey_;
    std::size_t at = line.text.find_first_not_of(" \t");
    if (line.text[at] == '@') {
        ++at;
    } else {
        entry.valueName = parseQuoted(line, at);
        requireOneLine(line, entry.valueName, "value name");
    }
    std::string_view rest = trimmed(std::string_view(line.text).substr(at));
    if (rest.empty() || rest.front() != '=') fail(line.number, "missing '=' after the value name");
    rest = trimmed(rest.substr(1));
    if (rest == "-") {
        entry.kind = RegFileEntry::Kind::DeleteValue;
    } else {
        entry.kind = RegFileEntry::Kind::SetValue;
        parseData(line, rest, entry);
    }
    entries.push_back(std::move(entry));
}

void RegFileParser::parseData(const LogicalLine& line, std::string_view data,
                              RegFileEntry& entry) const {
    if (!data.empty() && data.front() == '"') {
        std::size_t start = static_cast<std::size_t>(data.data() - line.text.data());
        std::size_t at = start;
        entry.type = win32::REG_SZ;
        entry.data = parseQuoted(line, at) + '\0';
        if (!trimmed(std::string_view(line.text).substr(at)).empty()) {
            fail(line.number, "text after the closing quote");
        }
        return;
    }
    if (startsWith(data, "dword:")) {
        std::uint32_t number = 0;
        if (!parseHexNumber(trimmed(data.substr(6)), 8, number)) {
            fail(line.number, "dword: needs up to 8 hexadecimal digits");
        }
        entry.type = win32::REG_DWORD;
        for (int i = 0; i < 4; ++i) entry.data += static_cast<char>((number >> (8 * i)) & 0xFF);
        return;
    }
    if (startsWith(data, "hex:")) {
        entry.type = win32::REG_BINARY;
        entry.data = parseHexBytes(line, data.substr(4));
        return;
    }
    if (startsWith(data, "hex(")) {
        std::size_t close = data.find("):");
        std::uint32_t type = 0;
        if (close == std::string_view::npos ||
            !parseHexNumber(data.substr(4, close - 4), 8, type)) {
            fail(line.number, "hex(n): needs a hexadecimal type number");
        }
        entry.type = type;
        entry.data = parseHexBytes(line, data.substr(close + 2));
        if (unicodeFile_ && holdsUtf16Strings(type)) {
            if (entry.data.size() % 2 != 0) fail(line.number, "UTF-16 text of odd length");
            entry.data = ansiFromUtf16(entry.data);
        }
        return;
    }
    fail(line.number, "unrecognised value data \"" + std::string(data.substr(0, 40)) + "\"");
}

std::string RegFileParser::parseHexBytes(const LogicalLine& line, std::string_view hex) const {
    std::string bytes;
    std::size_t start = 0;
    while (start <= hex.size()) {
        std::size_t comma = hex.find(',', start);
        if (comma == std::string_view::npos) comma = hex.size();
        std::string_view item = trimmed(hex.substr(start, comma - start));
        start = comma + 1;
        if (item.empty()) {
            // Only the list's end may be empty: "hex:" alone or a trailing comma.
            if (comma == hex.size()) break;
            fail(line.number, "empty item in a list of hexadecimal bytes");
        }
        std::uint32_t byte = 0;
        if (!parseHexNumber(item, 2, byte)) {
            fail(line.number, concat({"\"", item, "\" is not a hexadecimal byte"}));
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

}  // namespace platform::emulated
