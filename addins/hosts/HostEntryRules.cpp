#include "HostEntryRules.h"

#include <arpa/inet.h>

#include "AddInError.h"

namespace hostsaddin {

namespace {

constexpr std::size_t kMaxNameLength = 253;
constexpr std::size_t kMaxLabelLength = 63;

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string labelProblem(std::string_view label) {
    if (label.empty()) return "has an empty label (two dots in a row, or a dot at an end)";
    if (label.size() > kMaxLabelLength) {
        return "has a label longer than " + std::to_string(kMaxLabelLength) + " characters";
    }
    if (label.front() == '-' || label.back() == '-') {
        return "has a label that begins or ends with a hyphen";
    }
    return {};
}

// The character of NAME a host name may not hold, described, or "".
std::string characterProblem(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == '\t') return "contains a blank";
        if (isControl(byte)) return "contains a control character";
        if (!isLetterOrDigit(c) && c != '-' && c != '.') {
            return "contains the character " + quoted(std::string_view(&c, 1)) +
                   " (only letters, digits, hyphens and dots are allowed)";
        }
    }
    return {};
}

}  // namespace

std::string addressProblem(std::string_view address) {
    const std::string text(address);
    unsigned char parsed[16];
    if (!text.empty() && (inet_pton(AF_INET, text.c_str(), parsed) == 1 ||
                          inet_pton(AF_INET6, text.c_str(), parsed) == 1)) {
        return {};
    }
    if (text.empty()) return "The address is missing.";
    return "The address " + quoted(text) +
           " is not a valid IP address (four numbers from 0 to 255 separated by dots, such "
           "as 192.168.1.10, or an IPv6 address).";
}

std::string hostNameProblem(std::string_view name) {
    std::string problem = characterProblem(name);
    if (problem.empty() && name.size() > kMaxNameLength) {
        problem = "is longer than " + std::to_string(kMaxNameLength) + " characters";
    }
    for (std::size_t start = 0; problem.empty() && start <= name.size();) {
        const std::size_t dot = std::min(name.find('.', start), name.size());
        problem = labelProblem(name.substr(start, dot - start));
        start = dot + 1;
    }
    if (problem.empty()) return {};
    return "The host name " + quoted(name) + " " + problem + ".";
}

std::string commentProblem(std::string_view comment) {
    for (const char c : comment) {
        if (isControl(static_cast<unsigned char>(c))) {
            return "The comment contains a line break or another control character.";
        }
    }
    return {};
}

std::string entryProblem(const HostEntry& entry) {
    if (std::string problem = addressProblem(entry.address); !problem.empty()) return problem;
    if (entry.names.empty()) return "The entry has no host name.";
    for (const std::string& name : entry.names) {
        if (std::string problem = hostNameProblem(name); !problem.empty()) return problem;
    }
    return commentProblem(entry.comment);
}

std::string describeEntry(std::size_t index, const HostEntry& entry) {
    std::string text = entry.address;
    for (const std::string& name : entry.names) text += (text.empty() ? "" : " ") + name;
    return "entry " + std::to_string(index + 1) + (text.empty() ? "" : " (" + text + ")");
}

void checkEntries(const HostList& entries, const std::string& context) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string problem = entryProblem(entries[i]);
        if (problem.empty()) continue;
        std::string message = context.empty() ? "The " : context + ": the ";
        message += describeEntry(i, entries[i]) + " is refused. " + problem;
        throw AddInError(AddInError::kInvalidEntry, message);
    }
}

}  // namespace hostsaddin
