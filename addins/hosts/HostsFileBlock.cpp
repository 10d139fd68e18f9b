#include "HostsFileBlock.h"

#include <optional>
#include <vector>

#include "AddInError.h"
#include "HostEntryRules.h"

namespace hostsaddin {

namespace {

constexpr std::string_view kBeginLine =
    "# Roamwise hosts add-in: begin - Roamwise rewrites the lines down to the end marker";

struct Line {
    std::size_t start;
    std::string_view text;    // without its line end
    std::string_view ending;  // "\r\n", "\n" or "" for a last line without one
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t newline = content.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.push_back({start, content.substr(start), {}});
            break;
        }
        const bool crlf = newline > start && content[newline - 1] == '\r';
        const std::size_t textEnd = crlf ? newline - 1 : newline;
        lines.push_back({start, content.substr(start, textEnd - start),
                         content.substr(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

struct Markers {
    std::vector<std::size_t> begins;  // line indexes
    std::vector<std::size_t> ends;
};

Markers findMarkers(const std::vector<Line>& lines) {
    Markers markers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = trimBlanks(lines[i].text);
        if (startsWithIgnoringCase(text, kBeginMarker)) markers.begins.push_back(i);
        if (startsWithIgnoringCase(text, kEndMarker)) markers.ends.push_back(i);
    }
    return markers;
}

std::string lineNumber(std::size_t index) { return "line " + std::to_string(index + 1); }

// Why MARKERS do not form one block, or "" when they do (or when there are none).
std::string markerProblem(const Markers& markers) {
    const auto& begins = markers.begins;
    const auto& ends = markers.ends;
    if (begins.size() > 1) {
        return "it has more than one begin marker (" + lineNumber(begins[0]) + " and " +
               lineNumber(begins[1]) + ")";
    }
    if (ends.size() > 1) {
        return "it has more than one end marker (" + lineNumber(ends[0]) + " and " +
               lineNumber(ends[1]) + ")";
    }
    if (begins.size() == 1 && ends.empty()) {
        return "the begin marker on " + lineNumber(begins[0]) + " has no end marker";
    }
    if (ends.size() == 1 && begins.empty()) {
        return "the end marker on " + lineNumber(ends[0]) + " has no begin marker";
    }
    if (begins.size() == 1 && ends[0] < begins[0]) {
        return "the end marker on " + lineNumber(ends[0]) + " comes before the begin marker on " +
               lineNumber(begins[0]);
    }
    return {};
}

struct Block {
    std::size_t begin;  // line indexes of the markers
    std::size_t end;
};

// The intact block of LINES, nothing when there is none; throws when the markers are
// damaged.
std::optional<Block> locateBlock(const std::vector<Line>& lines) {
    const Markers markers = findMarkers(lines);
    if (const std::string problem = markerProblem(markers); !problem.empty()) {
        throw AddInError(AddInError::kDamagedHostsFile,
                         "its Roamwise block is damaged: " + problem +
                             ". Nothing was changed. Remove the stray \"" +
                             std::string(kBeginMarker) + "\" or \"" + std::string(kEndMarker) +
                             "\" line, or add the missing one, and apply again.");
    }
    if (markers.begins.empty()) return std::nullopt;
    return Block{markers.begins[0], markers.ends[0]};
}

std::string_view usualEnding(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.ending.empty()) return line.ending;
    }
    return "\r\n";  // a new or one-line file: the line end of the Windows machine
}

std::string blockText(const HostList& entries, std::string_view ending,
                      std::string_view lastEnding) {
    std::string text(kBeginLine);
    text += ending;
    for (const HostEntry& entry : entries) {
        text += formatHostLine(entry);
        text += ending;
    }
    text += kEndMarker;
    text += lastEnding;
    return text;
}

std::size_t endOf(const Line& line) { return line.start + line.text.size() + line.ending.size(); }

}  // namespace

std::string rewriteHostsBlock(std::string_view content, const HostList& entries) {
    const std::vector<Line> lines = splitLines(content);
    const std::optional<Block> block = locateBlock(lines);
    const std::string_view ending = usualEnding(lines);
    if (!block) {
        if (entries.empty()) return std::string(content);
        std::string result(content);
        if (!lines.empty() && lines.back().ending.empty()) result += ending;
        return result + blockText(entries, ending, ending);
    }
    const Line& begin = lines[block->begin];
    const Line& end = lines[block->end];
    std::string result(content.substr(0, begin.start));
    if (!entries.empty()) {
        const std::string_view blockEnding = begin.ending.empty() ? ending : begin.ending;
        result += blockText(entries, blockEnding, end.ending);
    }
    result += content.substr(endOf(end));
    return result;
}

HostList readHostsBlock(std::string_view content) {
    const std::vector<Line> lines = splitLines(content);
    HostList entries;
    std::optional<Block> block;
    try {
        block = locateBlock(lines);
    } catch (const AddInError&) {
        return entries;
    }
    if (!block) return entries;
    for (std::size_t i = block->begin + 1; i < block->end; ++i) {
        std::optional<HostEntry> entry = parseHostLine(lines[i].text);
        if (entry && entryProblem(*entry).empty()) entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace hostsaddin
