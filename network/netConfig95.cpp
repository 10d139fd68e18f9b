#include "network/netConfig95.h"

#include <charconv>
#include <vector>

#include "network/nic.h"

namespace {

constexpr const char* kMstcpKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kAdapterKeyPrefix =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\";
constexpr const char* kWinSock2Key =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\WinSock2\\Parameters";
constexpr const char* kNoAddress = "0.0.0.0";

// "NodeType" absent means the address comes from DHCP, "8" a static address with WINS
// (hybrid node), "1" a static address without it (broadcast node).
constexpr const char* kWinsNode = "8";
constexpr const char* kBroadcastNode = "1";

std::optional<double> parseNumber(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    double number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end) return std::nullopt;
    return number;
}

const std::vector<netConfig::Flag>& applyOrder() {
    using F = netConfig::Flag;
    static const std::vector<F> order{
        F::ComputerName,   F::Workgroup,  F::DomainName,     F::Host,           F::IPAddress,
        F::IPMask,         F::LMHostFile, F::DNSServers,     F::WINSEnabled,    F::WINSServer1,
        F::WINSServer2,    F::ScopeID,    F::SearchList,     F::DNSEnabled,     F::DHCPEnabled,
        F::NTLogonEnabled, F::NTDomain,   F::DefaultPrinter, F::DefaultGateway,
    };
    return order;
}

}  // namespace

netConfig95::netConfig95() {
    registry().Cd(kWinSock2Key);
    winSockVersion_ = registry().lastError() == 0 ? 2 : 1;
}

void netConfig95::loadConfiguration() {
    getAdapterList();
    getComputerName();
    getworkgroup();
    getDomain();
    getHost();
    getIPAddress();
    getIPMask();
    getLMHostFile();
    getDNSServers();
    getWINSEnabled();
    getWINSServer1();
    getWINSServer2();
    getScopeID();
    getSearchList();
    getDNSEnabled();
    getDHCPEnabled();
    getNTLogon();
    getNTDomain();
    getPrinterList();
    getDefaultPrinter();
    getDefaultGateway();
    resetFlags();
}

void netConfig95::applyConfiguration() {
    applyFlagged(applyOrder());
}

void netConfig95::enumAdapters(KeyedList& cDesc, KeyedList& cKey) {
    nic enumerator;
    enumerator.enumAdapters(cDesc, cKey);
}

void netConfig95::rereadAdapterSettings() {
    getIPAddress();
    getIPMask();
    getDefaultGateway();
    getDHCPEnabled();
    getWINSEnabled();
    getWINSServer1();
    getWINSServer2();
    if (winSockVersion_ == 2) rereadAdapterScope();
}

// With WinSock 2 the scope belongs to the adapter like its WINS servers. The previous
// adapter's scope must not stay behind, not even when this adapter has none: switching
// WINS marks the scope, and applying would then write it into this adapter's key.
void netConfig95::rereadAdapterScope() {
    cache().ScopeID.clear();
    getScopeID();
}

// ---- Keys ------------------------------------------------------------------------------

std::optional<std::string> netConfig95::adapterKeyPath() const {
    const auto key = currentAdapterKey();
    if (!key) return std::nullopt;
    return kAdapterKeyPrefix + *key;
}

// WinSock 1 keeps one NetBIOS set for the whole machine; WinSock 2 one per adapter.
std::optional<std::string> netConfig95::netBiosKeyPath() const {
    if (winSockVersion_ == 1) return std::string(kMstcpKey);
    return adapterKeyPath();
}

// ---- Reading -----------------------------------------------------------------------------

void netConfig95::getDomain() {
    readText(kMstcpKey, "Domain", cache().DomainName);
}

void netConfig95::getHost() {
    readText(kMstcpKey, "Hostname", cache().Host);
}

void netConfig95::getDNSServers() {
    readText(kMstcpKey, "NameServer", cache().DNSServers);
}

void netConfig95::getSearchList() {
    readText(kMstcpKey, "SearchList", cache().SearchList);
}

void netConfig95::getDNSEnabled() {
    std::string enabled;
    if (readText(kMstcpKey, "EnableDNS", enabled)) cache().DNSEnabled = enabled == "1";
}

void netConfig95::readAdapterText(const std::string& valueName, std::string& target) {
    if (const auto key = adapterKeyPath()) readText(*key, valueName, target);
}

void netConfig95::getIPAddress() {
    readAdapterText("IPAddress", cache().IPAddress);
}

void netConfig95::getIPMask() {
    readAdapterText("IPMask", cache().IPMask);
}

void netConfig95::getDefaultGateway() {
    readAdapterText("DefaultGateway", cache().DefaultGateway);
}

// A value kept as a DWORD reads as its decimal number, so "8" and 8 mean the same.
std::optional<std::string> netConfig95::readNodeType() {
    const auto key = netBiosKeyPath();
    if (!key) return std::nullopt;
    registry().Cd(*key);
    std::int32_t type = 0;
    const auto value = registry().ValueOf("NodeType", type);
    if (registry().lastError() != 0) return std::nullopt;
    if (type == clsEasyRegistry::DWORD) {
        return std::to_string(static_cast<unsigned long long>(value.number));
    }
    return value.text;
}

void netConfig95::getWINSEnabled() {
    if (!hasAdapter()) return;
    const auto nodeType = readNodeType();
    cache().WINSEnabled = nodeType && *nodeType == kWinsNode;
}

void netConfig95::getDHCPEnabled() {
    if (!hasAdapter()) return;
    const auto nodeType = readNodeType();
    if (!nodeType) {
        cache().DHCPEnabled = true;
        cache().WINSEnabled = false;
        return;
    }
    const auto number = parseNumber(*nodeType);
    if (number == 8) {
        cache().DHCPEnabled = false;
        cache().WINSEnabled = true;
    } else if (number == 1) {
        cache().DHCPEnabled = false;
        cache().WINSEnabled = false;
    }
}

void netConfig95::readWinsServer(const std::string& valueName, std::string& target) {
    if (!hasAdapter()) return;
    const auto key = netBiosKeyPath();
    if (key && !readText(*key, valueName, target)) target.clear();
}

void netConfig95::getWINSServer1() {
    readWinsServer("NameServer1", cache().WINSServer1);
}

void netConfig95::getWINSServer2() {
    readWinsServer("NameServer2", cache().WINSServer2);
}

void netConfig95::getScopeID() {
    if (const auto key = netBiosKeyPath()) readText(*key, "ScopeID", cache().ScopeID);
}

// ---- Writing -----------------------------------------------------------------------------

void netConfig95::setDomain() {
    writeText(kMstcpKey, "Domain", cache().DomainName);
}

void netConfig95::setHost() {
    writeText(kMstcpKey, "Hostname", cache().Host);
}

void netConfig95::setDNSServers() {
    writeText(kMstcpKey, "NameServer", cache().DNSServers);
}

void netConfig95::setSearchList() {
    writeText(kMstcpKey, "SearchList", cache().SearchList);
}

void netConfig95::setDNSEnabled() {
    writeText(kMstcpKey, "EnableDNS", cache().DNSEnabled ? "1" : "0");
}

void netConfig95::writeAdapterText(const std::string& valueName, const std::string& text) {
    if (const auto key = adapterKeyPath()) writeText(*key, valueName, text);
}

void netConfig95::setIPAddress() {
    writeAdapterText("IPAddress", cache().IPAddress.empty() ? kNoAddress : cache().IPAddress);
}

void netConfig95::setIPMask() {
    writeAdapterText("IPMask", cache().IPMask.empty() ? kNoAddress : cache().IPMask);
}

void netConfig95::setDefaultGateway() {
    writeAdapterText("DefaultGateway", cache().DefaultGateway);
}

void netConfig95::writeNodeType(const std::string& nodeType) {
    if (const auto key = netBiosKeyPath()) writeText(*key, "NodeType", nodeType);
}

void netConfig95::setWINSEnabled() {
    if (cache().WINSEnabled) {
        writeNodeType(kWinsNode);
    } else if (!cache().DHCPEnabled) {
        writeNodeType(kBroadcastNode);
    }
}

void netConfig95::setDHCPEnabled() {
    if (cache().DHCPEnabled) {
        if (const auto key = netBiosKeyPath()) {
            registry().Cd(*key);
            registry().DeleteValue("NodeType");
        }
    } else if (!cache().WINSEnabled) {
        writeNodeType(kBroadcastNode);
    }
}

// Without WINS the servers and the scope must not linger, or the stack would keep
// using them.
void netConfig95::writeOrDeleteWinsValue(const std::string& valueName, const std::string& text) {
    const auto key = netBiosKeyPath();
    if (!key) return;
    if (cache().WINSEnabled) {
        writeText(*key, valueName, text);
        return;
    }
    registry().Cd(*key);
    registry().DeleteValue(valueName);
}

void netConfig95::setWINSServer1() {
    writeOrDeleteWinsValue("NameServer1", cache().WINSServer1);
}

void netConfig95::setWINSServer2() {
    writeOrDeleteWinsValue("NameServer2", cache().WINSServer2);
}

void netConfig95::setScopeID() {
    writeOrDeleteWinsValue("ScopeID", cache().ScopeID);
}
