#include "platform/emulated/IniFile.h"

#include "platform/AsciiText.h"

namespace platform::emulated {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

std::string unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// VALUE as a key line holds it. Reading trims blanks and drops one pair of quotes, so a
// value with blanks at either end, or in quotes of its own, is written in quotes: it
// then reads back as it was written, and loading and saving a file keeps it.
std::string storedValue(std::string_view value) {
    std::string text = joinLines(value);
    const bool blanksAtEnds = trimBlanks(text).size() != text.size();
    if (blanksAtEnds || unquote(text) != text) text = concat({"\"", text, "\""});
    return text;
}

}  // namespace

IniFile::IniFile(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark_ = kByteOrderMark;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    // A line ends at CR LF, LF or a CR alone, as Windows reads profile files: a file
    // with CR-only line ends reads line by line, and a CR before CR LF never lands in
    // a value.
    while (!bytes.empty()) {
        const auto end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines_.push_back(classify(std::string(bytes), ""));
            break;
        }
        const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        const std::size_t endLength = crLf ? 2 : 1;
        lines_.push_back(classify(std::string(bytes.substr(0, end)),
                                  std::string(bytes.substr(end, endLength))));
        bytes.remove_prefix(end + endLength);
    }
}

IniFile::Line IniFile::classify(std::string text, std::string ending) {
    Line line;
    line.text = std::move(text);
    line.ending = std::move(ending);
    const std::string_view trimmed = trimBlanks(line.text);
    if (trimmed.empty() || trimmed.front() == ';') return line;
    if (trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.find(']'));
        line.kind = Kind::Section;
        line.name = trimBlanks(name);
        return line;
    }
    const auto equals = line.text.find('=');
    if (equals == std::string::npos) return line;
    line.kind = Kind::Key;
    line.name = trimBlanks(std::string_view(line.text).substr(0, equals));
    line.valueStart = equals + 1;
    return line;
}

IniFile::Line IniFile::keyLine(std::string_view key, std::string_view value) {
    return classify(concat({joinLines(key), "=", storedValue(value)}), std::string(kNewLine));
}

std::optional<IniFile::SectionRange> IniFile::findSection(std::string_view section) const {
    const std::string joined = joinLines(section);
    const std::string_view wanted = trimBlanks(joined);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section || !equalsIgnoringCase(lines_[i].name, wanted)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines_.size() && lines_[end].kind != Kind::Section) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const SectionRange& range, std::string_view key) const {
    const std::string joined = joinLines(key);
    const std::string_view wanted = trimBlanks(joined);
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == Kind::Key && equalsIgnoringCase(lines_[i].name, wanted)) return i;
    }
    return std::nullopt;
}

std::size_t IniFile::lastNonBlankLine(const SectionRange& range) const {
    std::size_t last = range.header;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (!trimBlanks(lines_[i].text).empty()) last = i;
    }
    return last;
}

// A line that is followed by another needs a line end of its own.
void IniFile::endLastLine() {
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = kNewLine;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index) return std::nullopt;
    const Line& line = lines_[*index];
    return unquote(trimBlanks(std::string_view(line.text).substr(line.valueStart)));
}

bool IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const auto range = findSection(section);
    if (!range) {
        endLastLine();
        lines_.push_back(classify(concat({"[", joinLines(section), "]"}), std::string(kNewLine)));
        lines_.push_back(keyLine(key, value));
        return true;
    }
    if (const auto index = findKey(*range, key)) {
        Line& line = lines_[*index];
        // The key keeps its own spelling and spacing; only the value is replaced.
        std::string text = line.text.substr(0, line.valueStart) + storedValue(value);
        if (text == line.text) return false;
        line = classify(std::move(text), line.ending);
        return true;
    }
    const std::size_t after = lastNonBlankLine(*range);
    if (lines_[after].ending.empty()) lines_[after].ending = kNewLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), keyLine(key, value));
    return true;
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
    const auto range = findSection(section);
    if (!range) return false;
    const auto index = findKey(*range, key);
    if (!index) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

bool IniFile::removeSection(std::string_view section) {
    const auto range = findSection(section);
    if (!range) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

std::string IniFile::bytes() const {
    std::string result = byteOrderMark_;
    for (const Line& line : lines_) {
        result += line.text;
        result += line.ending;
    }
    return result;
}

}  // namespace platform::emulated
