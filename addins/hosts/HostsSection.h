#pragma once
// How a configuration file keeps the host entries: the section "Hosts Add-In" with one
// key per entry, "Host1", "Host2", ..., each holding the entry as a HOSTS line
// ("192.168.1.10    fileserver fs.office  # Office file server"). The line begins with
// the address, so the profile functions' blank trimming and quote stripping never alter
// it. Reading takes every "Host<n>" key in the order of n (hand-edited files may skip
// numbers) and ignores other keys; an empty key is no entry.

#include <string>

#include "HostEntry.h"
#include "HostServices.h"

namespace hostsaddin {

inline constexpr const char* kSectionName = "Hosts Add-In";

// The entries FILE holds, as written (not validated); none when the section is absent.
HostList loadHostsSection(const HostServices& host, const std::string& file);

// Replaces the section of FILE with ENTRIES: the old section goes first, so keys of
// entries that no longer exist do not linger. An empty list leaves no section.
void saveHostsSection(const HostServices& host, const std::string& file, const HostList& entries);

}  // namespace hostsaddin
