#pragma once
// What makes a host-name entry acceptable: an IPv4 address in dotted form (or an IPv6
// address), at least one host name following RFC 952 and RFC 1123 (labels of letters,
// digits and hyphens, 1 to 63 characters, not starting or ending with a hyphen; at most
// 253 characters in all), and a comment on one line without control characters. A
// refused entry is named in the message by its position and text.

#include <string>
#include <string_view>

#include "HostEntry.h"

namespace hostsaddin {

// Why ADDRESS is refused, or "" when it is a valid address.
std::string addressProblem(std::string_view address);
// Why NAME is refused as a host name, or "".
std::string hostNameProblem(std::string_view name);
// Why COMMENT is refused, or "".
std::string commentProblem(std::string_view comment);

// Why ENTRY is refused, or "".
std::string entryProblem(const HostEntry& entry);

// Throws AddInError (kInvalidEntry) naming the first refused entry of ENTRIES; CONTEXT
// ("The host entries of C:\office.rmw") begins the message when given.
void checkEntries(const HostList& entries, const std::string& context = {});

// "entry 3 (10.0.0.1 printer)": how messages name an entry.
std::string describeEntry(std::size_t index, const HostEntry& entry);

}  // namespace hostsaddin
