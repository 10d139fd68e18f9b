#include "tools/rmwctl/ApplyChecks.h"

#include "platform/Win32.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

// No value in a file is this text; it comes back only for a missing key.
const std::string kAbsent("\x01");

std::string valueOf(const std::string& file, const std::string& section, const std::string& key) {
    return win32::GetPrivateProfileStringA(section, key, kAbsent, file);
}

bool switchedOn(const std::string& file, const std::string& group) {
    return valueOf(file, "Enabled Sections", group) == "1";
}

bool isPort(const std::string& value) {
    if (value.empty()) return true;  // no port: the backend keeps none
    if (value.size() > 5) return false;
    for (char c : value) {
        if (c < '0' || c > '9') return false;
    }
    return std::stol(value) <= 65535;
}

[[noreturn]] void refuse(const std::string& shownName, const std::string& what,
                         const std::string& key, const std::string& value) {
    throw Failure("'" + shownName + "' holds " + what + ": " + key + "=" + value +
                  "; nothing was applied");
}

bool anyKeyPresent(const std::string& file, const std::string& section,
                   const std::vector<const char*>& keys) {
    for (const char* key : keys) {
        if (valueOf(file, section, key) != kAbsent) return true;
    }
    return false;
}

}  // namespace

void requireApplicableValues(const std::string& file, const std::string& shownName, bool isNT) {
    if (switchedOn(file, "General") && !isNT) {
        for (const char* key : {"IPAddress", "IPMask"}) {
            const std::string value = valueOf(file, "Network", key);
            if (value != kAbsent && value.find(',') != std::string::npos) {
                refuse(shownName, "more than one address for an adapter of Windows 95/98", key,
                       value);
            }
        }
    }
    if (switchedOn(file, "Netscape Navigator")) {
        for (const char* key : {"NNHTTPPORT", "NNFTPPORT", "NNGOPHERPORT", "NNSSLPORT",
                                "NNSOCKSPORT", "NNWAISPORT"}) {
            const std::string value = valueOf(file, "Netscape Navigator", key);
            if (value != kAbsent && !isPort(value)) refuse(shownName, "a port that is not valid", key, value);
        }
    }
}

std::vector<std::string> missingSections(const std::string& file) {
    std::vector<std::string> missing;
    if (switchedOn(file, "General") &&
        !anyKeyPresent(file, "Network",
                       {"Adapter", "IPAddress", "IPMask", "DefaultGateway", "NameServer",
                        "HostName", "Domain", "SearchList", "NameServer1", "NameServer2",
                        "ScopeID", "EnableDNS", "ComputerName", "Workgroup", "NTLogon",
                        "NTDomain", "DHCP", "WINS"})) {
        missing.push_back("[Network]");
    }
    if (switchedOn(file, "Internet Explorer") &&
        !anyKeyPresent(file, "Internet Explorer",
                       {"ProxyServer", "DialupISP", "ProxyEnable", "EnableAutoDial",
                        "AutoConfigURL", "ProxyOverride"})) {
        missing.push_back("[Internet Explorer]");
    }
    if (switchedOn(file, "Netscape Navigator") &&
        !anyKeyPresent(file, "Netscape Navigator",
                       {"NNPROXYENABLE", "NNDIRECTCONNECTION", "NNAUTOCONFIGURL",
                        "NNPROXYOVERRIDE", "NNHTTPADDRESS", "NNHTTPPORT", "NNFTPADDRESS",
                        "NNFTPPORT", "NNGOPHERADDRESS", "NNGOPHERPORT", "NNSSLADDRESS",
                        "NNSSLPORT", "NNSOCKSADDRESS", "NNSOCKSPORT", "NNWAISADDRESS",
                        "NNWAISPORT"})) {
        missing.push_back("[Netscape Navigator]");
    }
    return missing;
}

}  // namespace rmwctl
