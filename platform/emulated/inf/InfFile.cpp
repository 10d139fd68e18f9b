#include "platform/emulated/inf/InfFile.h"

#include "platform/AsciiText.h"

namespace platform::emulated::inf {
namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\x1a");
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t\r\x1a") - start + 1);
}

// The text of a line up to its comment, with the position of a closing "\" that joins
// the next line noted; quotes decide what counts as a comment.
struct LogicalPart {
    std::string text;
    bool continues = false;
};

LogicalPart stripComment(std::string_view line, const std::string& file, int number) {
    bool quoted = false;
    std::size_t end = line.size();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ';' && !quoted) {
            end = i;
            break;
        }
    }
    if (quoted) throw InfError(file, number, "a quoted text is not closed");
    std::string_view text = trimmed(line.substr(0, end));
    LogicalPart part;
    if (!text.empty() && text.back() == '\\') {
        part.continues = true;
        text.remove_suffix(1);
    }
    part.text = std::string(text);
    return part;
}

// Splits TEXT at commas outside quotes; quotes are removed and "" inside them is one
// quote. Each unquoted piece is trimmed.
std::vector<std::string> splitValues(std::string_view text) {
    std::vector<std::string> values;
    std::string current;
    std::string pendingBlanks;
    bool quoted = false;
    bool sawAny = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
            continue;
        }
        if (c == '"') {
            current += pendingBlanks;
            pendingBlanks.clear();
            quoted = true;
        } else if (c == ',') {
            values.push_back(std::move(current));
            current.clear();
            pendingBlanks.clear();
        } else if (c == ' ' || c == '\t') {
            if (!current.empty()) pendingBlanks += c;
        } else {
            current += pendingBlanks;
            pendingBlanks.clear();
            current += c;
        }
        sawAny = true;
    }
    if (sawAny) values.push_back(std::move(current));
    return values;
}

// The position of the first "=" outside quotes.
std::size_t keySeparator(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == '=' && !quoted) return i;
    }
    return std::string_view::npos;
}

InfLine parseLine(const std::string& text, int number, const std::string& file) {
    InfLine line;
    line.number = number;
    line.text = text;
    const std::size_t equals = keySeparator(text);
    std::string_view rest = text;
    if (equals != std::string_view::npos) {
        // A key keeps its commas (CustomDestination's "49000,49001="); quotes go.
        std::string key;
        for (char c : trimmed(std::string_view(text).substr(0, equals)))
            if (c != '"') key += c;
        if (key.empty()) throw InfError(file, number, "the key is empty");
        line.key = key;
        rest = std::string_view(text).substr(equals + 1);
    }
    line.values = splitValues(rest);
    return line;
}

}  // namespace

InfError::InfError(const std::string& file, int line, const std::string& what)
    : std::runtime_error(concat({file, ", line ", std::to_string(line), ": ", what})),
      file_(file),
      line_(line) {}

InfFile InfFile::parse(std::string_view bytes, const std::string& fileName) {
    InfFile inf;
    inf.fileName_ = fileName;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::size_t start = 0;
    int number = 0;
    std::string pending;
    int pendingStart = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        ++number;
        if (bytes.substr(start, end - start).find('\0') != std::string_view::npos)
            throw InfError(fileName, number, "the line holds a NUL character");
        LogicalPart part = stripComment(bytes.substr(start, end - start), fileName, number);
        start = end + 1;
        if (pending.empty()) pendingStart = number;
        pending += part.text;
        if (part.continues) continue;
        std::string text = std::move(pending);
        pending.clear();
        if (text.empty()) continue;
        if (text.front() == '[') {
            if (text.back() != ']') throw InfError(fileName, pendingStart, "the section name has no closing ]");
            std::string name(trimmed(std::string_view(text).substr(1, text.size() - 2)));
            if (name.empty()) throw InfError(fileName, pendingStart, "the section name is empty");
            inf.sections_.push_back({std::move(name), pendingStart, {}});
            continue;
        }
        if (inf.sections_.empty())
            throw InfError(fileName, pendingStart, "a line stands before the first section");
        inf.sections_.back().lines.push_back(parseLine(text, pendingStart, fileName));
    }
    if (!pending.empty()) throw InfError(fileName, pendingStart, "the last line ends with \\");
    return inf;
}

const InfSection* InfFile::section(std::string_view name) const {
    for (const auto& section : sections_) {
        if (equalsIgnoringCase(section.name, name)) return &section;
    }
    return nullptr;
}

std::optional<std::string> InfFile::string(std::string_view key) const {
    // Every [Strings] section counts; the first entry of a key wins.
    for (const auto& section : sections_) {
        if (!equalsIgnoringCase(section.name, "Strings")) continue;
        for (const auto& line : section.lines) {
            if (line.key && equalsIgnoringCase(*line.key, key)) return line.value(0);
        }
    }
    return std::nullopt;
}

}  // namespace platform::emulated::inf
