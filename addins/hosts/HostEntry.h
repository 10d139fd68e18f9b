#pragma once
// One host-name entry: an address, the names that resolve to it and a comment. Its
// text form is a HOSTS line ("address name name # comment"), which is also how a
// configuration file keeps it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hostsaddin {

struct HostEntry {
    std::string address;
    std::vector<std::string> names;
    std::string comment;

    bool operator==(const HostEntry&) const = default;
};

using HostList = std::vector<HostEntry>;

// The HOSTS line for ENTRY: the address, padded so that the names line up, the names
// separated by blanks, and "# comment" when there is one.
std::string formatHostLine(const HostEntry& entry);

// Reads a HOSTS line: everything after the first '#' is the comment, the rest splits at
// blanks and tabs into the address and the names. A line without an address (blank or
// only a comment) gives nothing. No validation happens here.
std::optional<HostEntry> parseHostLine(std::string_view line);

// Splits TEXT at blanks and tabs.
std::vector<std::string> splitWords(std::string_view text);

// TEXT without blanks and tabs at either end.
std::string_view trimBlanks(std::string_view text);

// Whether A and B are equal, ignoring ASCII case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace hostsaddin
