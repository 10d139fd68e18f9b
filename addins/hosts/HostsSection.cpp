#include "HostsSection.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace hostsaddin {

namespace {

constexpr std::string_view kKeyPrefix = "Host";

// The entry number of KEY ("Host12" is 12), or 0 when KEY is no entry key.
unsigned long entryNumber(std::string_view key) {
    if (key.size() <= kKeyPrefix.size() || !equalsIgnoringCase(key.substr(0, 4), kKeyPrefix)) {
        return 0;
    }
    const std::string_view digits = key.substr(kKeyPrefix.size());
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return number;
}

std::string keyName(unsigned long number) { return std::string(kKeyPrefix) + std::to_string(number); }

}  // namespace

HostList loadHostsSection(const HostServices& host, const std::string& file) {
    std::map<unsigned long, std::string> linesByNumber;
    for (const std::string& key : host.profileKeys(kSectionName, file)) {
        if (const unsigned long number = entryNumber(key); number != 0) {
            linesByNumber.try_emplace(number, host.profileString(kSectionName, key, file));
        }
    }
    // Host1, Host2, ... are also asked for directly, so that the entries are found even
    // where the profile functions do not list a section's keys.
    for (unsigned long number = 1; !linesByNumber.contains(number); ++number) {
        std::string line = host.profileString(kSectionName, keyName(number), file);
        if (line.empty()) break;
        linesByNumber.emplace(number, std::move(line));
    }
    HostList entries;
    for (const auto& [number, line] : linesByNumber) {
        if (auto entry = parseHostLine(line)) entries.push_back(std::move(*entry));
    }
    return entries;
}

void saveHostsSection(const HostServices& host, const std::string& file, const HostList& entries) {
    host.writeProfileString(kSectionName, std::nullopt, std::nullopt, file);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        host.writeProfileString(kSectionName, keyName(i + 1),
                                formatHostLine(entries[i]), file);
    }
}

}  // namespace hostsaddin
