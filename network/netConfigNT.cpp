#include "network/netConfigNT.h"

#include <algorithm>
#include <vector>

#include "network/nic_nt.h"

namespace {

constexpr const char* kTcpipKey =
    "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\";
constexpr const char* kNetBtKey =
    "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters";
constexpr const char* kServicesPrefix =
    "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
constexpr const char* kNetBtAdaptersPrefix =
    "\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\";
constexpr const char* kNoAddress = "0.0.0.0";

std::string replaceAll(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// NT separates the entries of a DNS server or search list with blanks, and takes
// several in a row, or blanks at either end, as one separator: no entry is empty.
std::string blankListToCommaList(const std::string& text) {
    std::string list;
    std::size_t start = text.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (!list.empty()) list += ',';
        list += text.substr(start, end - start);
        start = text.find_first_not_of(' ', end);
    }
    return list;
}

// The wrapper has already dropped the NUL that ends the last entry; the one that ends
// the list goes too, and the separators become commas.
std::string multiStringToList(std::string text) {
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return replaceAll(std::move(text), '\0', ',');
}

// Every entry ends with a NUL and the list with one more; an empty list is the two
// NULs alone.
clsEasyRegistry::Bytes listToMultiString(const std::string& commaList) {
    clsEasyRegistry::Bytes bytes;
    for (const char c : commaList) bytes.push_back(c == ',' ? 0 : static_cast<std::uint8_t>(c));
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

const std::vector<netConfig::Flag>& applyOrder() {
    using F = netConfig::Flag;
    static const std::vector<F> order{
        F::ComputerName, F::DomainName,  F::Host,           F::IPAddress,
        F::IPMask,       F::LMHostFile,  F::DNSServers,     F::WINSEnabled,
        F::WINSServer1,  F::WINSServer2, F::ScopeID,        F::SearchList,
        F::DNSEnabled,   F::DHCPEnabled, F::DefaultPrinter, F::DefaultGateway,
    };
    return order;
}

}  // namespace

netConfigNT::netConfigNT() = default;

void netConfigNT::loadConfiguration() {
    getAdapterList();
    getComputerName();
    getworkgroup();
    getDomain();
    getHost();
    getIPAddress();
    getIPMask();
    getLMHostFile();
    getDNSServers();
    getWINSServer1();
    getWINSServer2();
    getWINSEnabled();
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

// The workgroup, the domain logon and the logon domain are not in the order: their
// flags are cleared with the others and nothing is written for them.
void netConfigNT::applyConfiguration() {
    applyFlagged(applyOrder());
}

void netConfigNT::enumAdapters(KeyedList& cDesc, KeyedList& cKey) {
    nic_nt enumerator;
    enumerator.enumAdapters(cDesc, cKey);
}

void netConfigNT::rereadAdapterSettings() {
    getIPAddress();
    getIPMask();
    getDefaultGateway();
    getDHCPEnabled();
    getWINSServer1();
    getWINSServer2();
    getWINSEnabled();
}

// ---- Keys ------------------------------------------------------------------------------

std::optional<std::string> netConfigNT::cardKeyPath() const {
    const auto key = currentAdapterKey();
    if (!key) return std::nullopt;
    return kServicesPrefix + *key + "\\Parameters\\Tcpip";
}

std::optional<std::string> netConfigNT::cardNetBtKeyPath() const {
    const auto key = currentAdapterKey();
    if (!key) return std::nullopt;
    return kNetBtAdaptersPrefix + *key;
}

// ---- DWORD switches ----------------------------------------------------------------------

std::optional<bool> netConfigNT::readFlagDword(const std::string& key,
                                               const std::string& valueName) {
    registry().Cd(key);
    const auto value = registry().ValueOf(valueName);
    if (registry().lastError() != 0) return std::nullopt;
    return value.number == 1;
}

void netConfigNT::writeFlagDword(const std::string& key, const std::string& valueName, bool on) {
    registry().Cd(key);
    registry().ValueOf(valueName, clsEasyRegistry::DWORD, on ? 1.0 : 0.0);
}

// ---- Reading -----------------------------------------------------------------------------

void netConfigNT::getDomain() {
    if (!readText(kTcpipKey, "Domain", cache().DomainName)) cache().DomainName.clear();
}

void netConfigNT::getHost() {
    if (!readText(kTcpipKey, "Hostname", cache().Host)) cache().Host.clear();
}

void netConfigNT::getDNSServers() {
    std::string servers;
    if (readText(kTcpipKey, "NameServer", servers))
        cache().DNSServers = blankListToCommaList(servers);
}

void netConfigNT::getSearchList() {
    std::string list;
    readText(kTcpipKey, "SearchList", list);
    cache().SearchList = blankListToCommaList(list);
}

void netConfigNT::readCardList(const std::string& valueName, std::string& target) {
    const auto key = cardKeyPath();
    std::string raw;
    if (key && readText(*key, valueName, raw)) target = multiStringToList(raw);
}

void netConfigNT::getIPAddress() {
    readCardList("IPAddress", cache().IPAddress);
}

void netConfigNT::getIPMask() {
    readCardList("SubnetMask", cache().IPMask);
}

void netConfigNT::getDefaultGateway() {
    readCardList("DefaultGateway", cache().DefaultGateway);
}

void netConfigNT::getDHCPEnabled() {
    if (const auto key = cardKeyPath()) {
        cache().DHCPEnabled = readFlagDword(*key, "EnableDHCP").value_or(false);
    }
}

void netConfigNT::getDNSEnabled() {
    if (const auto enabled = readFlagDword(kNetBtKey, "EnableDNS")) cache().DNSEnabled = *enabled;
}

void netConfigNT::getScopeID() {
    if (!readText(kNetBtKey, "ScopeID", cache().ScopeID)) cache().ScopeID.clear();
}

void netConfigNT::readCardWinsServer(const std::string& valueName, std::string& target) {
    const auto key = cardNetBtKeyPath();
    if (key && !readText(*key, valueName, target)) target.clear();
}

void netConfigNT::getWINSServer1() {
    readCardWinsServer("NameServer", cache().WINSServer1);
}

void netConfigNT::getWINSServer2() {
    readCardWinsServer("NameServerBackup", cache().WINSServer2);
}

// Windows NT has no WINS switch: WINS is in use exactly when a server is configured.
void netConfigNT::getWINSEnabled() {
    cache().WINSEnabled = !cache().WINSServer1.empty() || !cache().WINSServer2.empty();
}

// ---- Writing -----------------------------------------------------------------------------

void netConfigNT::setDomain() {
    writeText(kTcpipKey, "Domain", cache().DomainName);
}

void netConfigNT::setHost() {
    writeText(kTcpipKey, "Hostname", cache().Host);
}

void netConfigNT::setDNSServers() {
    writeText(kTcpipKey, "NameServer", replaceAll(cache().DNSServers, ',', ' '));
}

void netConfigNT::setSearchList() {
    writeText(kTcpipKey, "SearchList", replaceAll(cache().SearchList, ',', ' '));
}

void netConfigNT::writeCardList(const std::string& valueName, const std::string& commaList) {
    const auto key = cardKeyPath();
    if (!key) return;
    registry().Cd(*key);
    registry().ValueOf(valueName, clsEasyRegistry::MULTI_STRING, listToMultiString(commaList));
}

void netConfigNT::setIPAddress() {
    writeCardList("IPAddress", cache().IPAddress.empty() ? kNoAddress : cache().IPAddress);
}

void netConfigNT::setIPMask() {
    writeCardList("SubnetMask", cache().IPMask.empty() ? kNoAddress : cache().IPMask);
}

void netConfigNT::setDefaultGateway() {
    writeCardList("DefaultGateway", cache().DefaultGateway);
}

// The addresses stay as they are; NT ignores them while DHCP is on.
void netConfigNT::setDHCPEnabled() {
    if (const auto key = cardKeyPath()) writeFlagDword(*key, "EnableDHCP", cache().DHCPEnabled);
}

void netConfigNT::setDNSEnabled() {
    writeFlagDword(kNetBtKey, "EnableDNS", cache().DNSEnabled);
}

// WINS is switched off by emptying the servers; the values themselves stay.
void netConfigNT::writeCardWinsServer(const std::string& valueName, const std::string& text) {
    if (const auto key = cardNetBtKeyPath()) {
        writeText(*key, valueName, cache().WINSEnabled ? text : std::string());
    }
}

void netConfigNT::setWINSServer1() {
    writeCardWinsServer("NameServer", cache().WINSServer1);
}

void netConfigNT::setWINSServer2() {
    writeCardWinsServer("NameServerBackup", cache().WINSServer2);
}

void netConfigNT::setScopeID() {
    writeText(kNetBtKey, "ScopeID", cache().WINSEnabled ? cache().ScopeID : std::string());
}

// Windows NT keeps WINS on or off through the server values alone.
void netConfigNT::setWINSEnabled() {}

// The workgroup, the domain logon and the logon domain are never changed on Windows NT.
void netConfigNT::setworkgroup() {}
void netConfigNT::setNTLogon() {}
void netConfigNT::setNTDomain() {}
