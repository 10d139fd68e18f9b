#include "converter/SettingSections.h"

#include <array>

#include "platform/AsciiText.h"

namespace converter {
namespace {

struct SectionKeywords {
    const char* section;
    const char* keywords;
};

// Searched in this order: the first list holding the key wins.
constexpr std::array<SectionKeywords, 5> sectionKeywords{{
    {"Network",
     "adapter ipaddress ipmask defaultgateway nameserver hostname domain searchlist "
     "nameserver1 nameserver2 scopeid computername workgroup ntdomain dhcp wins enabledns "
     "ntlogon lmhostfile"},
    {"Advanced", "autoapply autoreboot comments"},
    {"Printer", "defaultprinter"},
    {"Internet Explorer",
     "proxyserver dialupisp proxyenable enableautodial autoconfigurl proxyoverride"},
    {"Netscape Navigator",
     "nnproxyenable nndirectconnection nnautoconfigurl nnproxyoverride nnhttpaddress "
     "nnhttpport nnftpaddress nnftpport nngopheraddress nngopherport nnssladdress nnsslport "
     "nnsocksaddress nnsocksport nnwaisaddress nnwaisport"},
}};

}  // namespace

std::optional<std::string> sectionForKey(const std::string& key) {
    // An empty key would be "part of" every list and end up as a nameless line.
    if (key.empty()) return std::nullopt;
    const std::string lowerKey = platform::lowerAscii(key);
    for (const auto& entry : sectionKeywords) {
        if (std::string_view(entry.keywords).find(lowerKey) != std::string_view::npos) {
            return entry.section;
        }
    }
    return std::nullopt;
}

}  // namespace converter
