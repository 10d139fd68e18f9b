#include "HostEntry.h"

namespace hostsaddin {

namespace {

constexpr std::size_t kAddressColumn = 16;  // the names start here after an IPv4 address

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !isBlank(text[pos])) ++pos;
        if (pos > start) words.emplace_back(text.substr(start, pos - start));
    }
    return words;
}

std::string formatHostLine(const HostEntry& entry) {
    std::string line = entry.address;
    line.append(entry.address.size() < kAddressColumn ? kAddressColumn - entry.address.size() : 1,
                ' ');
    for (std::size_t i = 0; i < entry.names.size(); ++i) {
        if (i > 0) line += ' ';
        line += entry.names[i];
    }
    if (!entry.comment.empty()) line += "  # " + entry.comment;
    return line;
}

std::optional<HostEntry> parseHostLine(std::string_view line) {
    const std::size_t hash = line.find('#');
    std::vector<std::string> words = splitWords(line.substr(0, hash));
    if (words.empty()) return std::nullopt;
    HostEntry entry;
    entry.address = std::move(words.front());
    entry.names.assign(std::make_move_iterator(words.begin() + 1),
                       std::make_move_iterator(words.end()));
    if (hash != std::string_view::npos) entry.comment = trimBlanks(line.substr(hash + 1));
    return entry;
}

}  // namespace hostsaddin
