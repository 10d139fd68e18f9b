// Profile-string files against a small model written apart from the reader. The input
// is a section name, a key name and a value, each ended by a NUL, followed by the
// file's bytes. The file must read as the model reads it and serialise byte for byte
// as it came; writing the key changes only the key's own line (or adds it, with its
// section when that is missing), reads back exactly as written (line breaks aside),
// and leaves every other key of the file reading as before.

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/FuzzCheck.h"
#include "platform/emulated/IniFile.h"

using platform::emulated::IniFile;

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return out;
}

std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Lines with their ends: CR LF, LF or a CR alone ends a line.
std::vector<std::string> linesWithEnds(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.emplace_back(bytes.substr(start, i + 1 - start));
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string_view withoutEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

struct ModelKey {
    std::string section;
    std::string key;
};

// Folded section -> folded key -> value, the first section and key of a name counting;
// also every key in file order as spelt.
struct Model {
    std::map<std::string, std::map<std::string, std::string>> values;
    std::vector<ModelKey> keys;
};

Model modelOf(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    Model model;
    std::map<std::string, std::string>* section = nullptr;
    std::string sectionName;
    for (const auto& raw : linesWithEnds(bytes)) {
        const std::string_view text = withoutEnd(raw);
        const std::string_view trimmed = trim(text);
        if (trimmed.empty() || trimmed.front() == ';') continue;
        if (trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            sectionName = std::string(trim(name.substr(0, name.find(']'))));
            const bool seen = model.values.count(folded(sectionName)) != 0;
            section = seen ? nullptr : &model.values[folded(sectionName)];
            continue;
        }
        const auto equals = text.find('=');
        if (equals == std::string_view::npos || section == nullptr) continue;
        const std::string key(trim(text.substr(0, equals)));
        section->emplace(folded(key), unquoted(trim(text.substr(equals + 1))));
        model.keys.push_back({sectionName, key});
    }
    return model;
}

std::string joined(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return out;
}

// The names the system's writer accepts: no "]" in a section, no "=" in a key, and no
// key that would read as a section header or a comment.
bool writable(const std::string& section, const std::string& key) {
    const std::string line = joined(key);
    const std::string_view name = trim(line);
    return section.find(']') == std::string::npos && line.find('=') == std::string::npos &&
           (name.empty() || (name.front() != '[' && name.front() != ';'));
}

std::string takeField(std::string_view& input) {
    const auto end = std::min(input.find('\0'), input.size());
    std::string field(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    return field;
}

void requireReadsAsModel(const IniFile& file, const Model& model, std::string_view what) {
    for (const auto& [section, key] : model.keys) {
        const auto value = file.value(section, key);
        fuzzsupport::require(value.has_value(), what);
        fuzzsupport::requireEqual(model.values.at(folded(section)).at(folded(key)), *value, what);
    }
}

// AFTER is BEFORE with at most one line changed (the key's own, or the line before an
// addition, which gains a line end) and at most a section header and a key line added.
void requireOtherLinesKept(std::string_view before, std::string_view after) {
    const auto old = linesWithEnds(before);
    const auto now = linesWithEnds(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
        ++suffix;
    }
    if (old.size() - prefix - suffix > 1 || now.size() - prefix - suffix > 3) {
        fuzzsupport::requireEqual(before, after, "a write changed lines other than its key's");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzzsupport::bytesOf(data, size);
    const std::string section = takeField(input);
    const std::string key = takeField(input);
    const std::string value = takeField(input);
    const std::string before(input);

    IniFile file(before);
    fuzzsupport::requireEqual(before, file.bytes(), "parsing and serialising");
    const Model model = modelOf(before);
    requireReadsAsModel(file, model, "reading as the model");
    if (!writable(section, key)) return 0;

    file.setValue(section, key, value);
    const std::string after = file.bytes();
    requireOtherLinesKept(before, after);
    const IniFile reread(after);
    fuzzsupport::requireEqual(after, reread.bytes(), "parsing and serialising a written file");
    const auto written = reread.value(section, key);
    fuzzsupport::require(written.has_value(), "a written key reads as missing");
    fuzzsupport::requireEqual(joined(value), *written, "reading back a write");

    Model expected = modelOf(after);
    const std::string editedSection = folded(trim(joined(section)));
    const std::string editedKey = folded(trim(joined(key)));
    for (const auto& [name, keys] : model.values) {
        for (const auto& [other, text] : keys) {
            if (name == editedSection && other == editedKey) continue;
            fuzzsupport::requireEqual(text, expected.values[name][other],
                                      "a write changed another key");
        }
    }
    return 0;
}
