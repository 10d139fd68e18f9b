#include "network/netConfig.h"

#include <cstdint>

#include "network/NetworkFileSections.h"
#include "platform/AsciiText.h"
#include "platform/Win32.h"

namespace {

// Places that Windows 95/98 and Windows NT read the same way.
constexpr const char* kComputerNameKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\ComputerName\\ComputerName";
constexpr const char* kWorkgroupKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr const char* kMstcpKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kLogonKey = "\\HKEY_LOCAL_MACHINE\\Network\\Logon";
constexpr const char* kNetworkProviderKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider";
constexpr const char* kPrintersKey =
    "\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Print\\Printers";

constexpr win32::UINT kBroadcastTimeoutMs = 1000;

// The "device=" entry of [windows] is "name,driver,port"; printer names hold no comma.
std::optional<platform::InstalledPrinter> parseDeviceEntry(const std::string& entry) {
    if (entry.empty()) return std::nullopt;
    platform::InstalledPrinter printer;
    const auto firstComma = entry.find(',');
    printer.deviceName = entry.substr(0, firstComma);
    if (firstComma != std::string::npos) {
        const auto secondComma = entry.find(',', firstComma + 1);
        printer.driverName = entry.substr(firstComma + 1, secondComma - firstComma - 1);
        if (secondComma != std::string::npos) printer.port = entry.substr(secondComma + 1);
    }
    if (printer.deviceName.empty()) return std::nullopt;
    return printer;
}

}  // namespace

netConfig::netConfig() {
    registry_.SuppressErrors(true);
}

netConfig::~netConfig() = default;

// ---- Configuration file -------------------------------------------------------------

void netConfig::loadConfigurationFile(const std::string& sFilename) {
    const NetworkFileSections file(sFilename);
    selectAdapterByDescription(file.loadAdapter());
    file.load(cache_);
}

void netConfig::saveConfigurationFile(const std::string& sFilename) {
    const NetworkFileSections file(sFilename);
    file.save(cache_, currentAdapterDescription().value_or(NetworkFileSections::NoAdapter),
              keepsWorkgroupAndLogon());
}

// ---- Flags ---------------------------------------------------------------------------

void netConfig::resetFlags() {
    flags_.reset();
}

bool netConfig::isChanged(Flag flag) const {
    return flags_.test(static_cast<std::size_t>(flag));
}

void netConfig::applyFlagged(const std::vector<Flag>& order) {
    for (const Flag flag : order) {
        if (isChanged(flag)) runSetOperation(flag);
    }
    resetFlags();
}

void netConfig::runSetOperation(Flag flag) {
    switch (flag) {
        case Flag::DomainName:
            setDomain();
            break;
        case Flag::Host:
            setHost();
            break;
        case Flag::LMHostFile:
            setLMHostFile();
            break;
        case Flag::DNSServers:
            setDNSServers();
            break;
        case Flag::WINSServer1:
            setWINSServer1();
            break;
        case Flag::WINSServer2:
            setWINSServer2();
            break;
        case Flag::ScopeID:
            setScopeID();
            break;
        case Flag::SearchList:
            setSearchList();
            break;
        case Flag::DNSEnabled:
            setDNSEnabled();
            break;
        case Flag::ComputerName:
            setComputerName();
            break;
        case Flag::Workgroup:
            setworkgroup();
            break;
        case Flag::WINSEnabled:
            setWINSEnabled();
            break;
        case Flag::NTLogonEnabled:
            setNTLogon();
            break;
        case Flag::NTDomain:
            setNTDomain();
            break;
        case Flag::DHCPEnabled:
            setDHCPEnabled();
            break;
        case Flag::DefaultPrinter:
            setDefaultPrinter();
            break;
        case Flag::DefaultGateway:
            setDefaultGateway();
            break;
        case Flag::IPAddress:
            setIPAddress();
            break;
        case Flag::IPMask:
            setIPMask();
            break;
    }
}

// ---- Adapters ------------------------------------------------------------------------

void netConfig::getAdapterList() {
    KeyedList descriptions;
    KeyedList keys;
    enumAdapters(descriptions, keys);
    if (descriptions.empty()) {
        currentAdapter_ = -1;
        return;
    }
    TextList newDescriptions;
    TextList newKeys;
    for (std::size_t i = 0; i < descriptions.Count(); ++i) {
        const std::string key = "Device " + std::to_string(i);
        newDescriptions.push_back(descriptions.Item(key).value_or(""));
        newKeys.push_back(keys.Item(key).value_or(""));
    }
    adapterDescriptions_ = std::move(newDescriptions);
    adapterKeys_ = std::move(newKeys);
    currentAdapter_ = 0;
}

std::optional<netConfig::TextList> netConfig::AdapterList() const {
    return adapterDescriptions_;
}

std::int16_t netConfig::CurrentAdapter() const {
    return currentAdapter_;
}

void netConfig::CurrentAdapter(std::int16_t iIndex) {
    if (!adapterIndexUsable(iIndex)) return;
    currentAdapter_ = iIndex;
    rereadAdapterSettings();
}

void netConfig::CurrentAdapterNoRefresh(std::int16_t iIndex) {
    if (adapterIndexUsable(iIndex)) currentAdapter_ = iIndex;
}

bool netConfig::adapterIndexUsable(std::int16_t iIndex) const {
    return currentAdapter_ != -1 && adapterKeys_ && iIndex >= 0 &&
           static_cast<std::size_t>(iIndex) < adapterKeys_->size();
}

// The lists are absent until the first loadConfiguration although the index starts
// at 0, so the index alone does not prove there is an adapter.
std::optional<std::string> netConfig::currentAdapterKey() const {
    if (currentAdapter_ < 0 || !adapterKeys_) return std::nullopt;
    const auto index = static_cast<std::size_t>(currentAdapter_);
    if (index >= adapterKeys_->size()) return std::nullopt;
    return (*adapterKeys_)[index];
}

std::optional<std::string> netConfig::currentAdapterDescription() const {
    if (currentAdapter_ < 0 || !adapterDescriptions_) return std::nullopt;
    const auto index = static_cast<std::size_t>(currentAdapter_);
    if (index >= adapterDescriptions_->size()) return std::nullopt;
    return (*adapterDescriptions_)[index];
}

// The last adapter whose description equals DESCRIPTION wins; no match keeps the first
// adapter. Nothing is re-read: the file's values are about to replace the cache.
void netConfig::selectAdapterByDescription(const std::string& description) {
    if (currentAdapter_ == -1) return;
    currentAdapter_ = 0;
    if (!adapterDescriptions_) return;
    for (std::size_t i = 0; i < adapterDescriptions_->size(); ++i) {
        if ((*adapterDescriptions_)[i] == description)
            currentAdapter_ = static_cast<std::int16_t>(i);
    }
}

// ---- Registry helpers ----------------------------------------------------------------

bool netConfig::readText(const std::string& key, const std::string& valueName,
                         std::string& target) {
    registry_.Cd(key);
    const auto value = registry_.ValueOf(valueName);
    if (registry_.lastError() != 0) return false;
    target = value.text;
    return true;
}

void netConfig::writeText(const std::string& key, const std::string& valueName,
                          const std::string& text) {
    registry_.Cd(key);
    registry_.ValueOf(valueName, clsEasyRegistry::STRING, text);
}

// ---- Settings read and written at the same places on every system --------------------

void netConfig::getComputerName() {
    readText(kComputerNameKey, "ComputerName", cache_.ComputerName);
}

void netConfig::getworkgroup() {
    readText(kWorkgroupKey, "Workgroup", cache_.Workgroup);
}

void netConfig::getLMHostFile() {
    readText(kMstcpKey, "LMHostFile", cache_.LMHostFile);
}

void netConfig::getNTDomain() {
    readText(kNetworkProviderKey, "AuthenticatingAgent", cache_.NTDomain);
}

void netConfig::getNTLogon() {
    registry_.Cd(kLogonKey);
    const auto value = registry_.ValueOf("LMLogon");
    cache_.NTLogonEnabled =
        registry_.lastError() == 0 && !value.bytes.empty() && value.bytes[0] == 1;
}

void netConfig::getPrinterList() {
    registry_.Cd(kPrintersKey);
    printers_ = registry_.DirKey();
}

void netConfig::getDefaultPrinter() {
    if (const auto printer = currentPrinter()) cache_.DefaultPrinter = printer->deviceName;
}

void netConfig::setComputerName() {
    writeText(kComputerNameKey, "ComputerName", cache_.ComputerName);
}

void netConfig::setworkgroup() {
    writeText(kWorkgroupKey, "Workgroup", cache_.Workgroup);
}

// The LMHOSTS path is only carried along; the system's own setting is left alone.
void netConfig::setLMHostFile() {}

void netConfig::setNTLogon() {
    const clsEasyRegistry::Bytes lmLogon{static_cast<std::uint8_t>(cache_.NTLogonEnabled ? 1 : 0),
                                         0, 0, 0};
    registry_.Cd(kLogonKey);
    registry_.ValueOf("LMLogon", clsEasyRegistry::BINARY, lmLogon);
}

void netConfig::setNTDomain() {
    writeText(kNetworkProviderKey, "AuthenticatingAgent", cache_.NTDomain);
}

void netConfig::setDefaultPrinter() {
    const auto printer = currentPrinter();
    if (!printer) return;
    const std::string device =
        printer->deviceName + "," + printer->driverName + "," + printer->port;
    if (win32::WriteProfileStringA("windows", std::string("device"), device) == 0) return;
    std::uintptr_t result = 0;
    win32::SendMessageTimeoutA(win32::HWND_BROADCAST, win32::WM_WININICHANGE, 0, 0,
                               win32::SMTO_NORMAL, kBroadcastTimeoutMs, &result);
}

std::optional<platform::InstalledPrinter> netConfig::currentPrinter() {
    if (chosenPrinter_) return chosenPrinter_;
    return parseDeviceEntry(platform::printers().defaultPrinterEntry());
}

// ---- Properties ----------------------------------------------------------------------

void netConfig::storeTrimmed(std::string& target, const std::string& text, Flag flag) {
    target = platform::trimSpaces(text);
    markChanged(flag);
}

void netConfig::DefaultGateway(const std::string& sDefGateway) {
    storeTrimmed(cache_.DefaultGateway, sDefGateway, Flag::DefaultGateway);
}
std::string netConfig::DefaultGateway() const {
    return cache_.DefaultGateway;
}

// Only a printer that is installed can become the default; any other name is kept for
// display and saving but never applied. It also withdraws an installed printer chosen
// before, which would otherwise be applied under the name now shown.
void netConfig::DefaultPrinter(const std::string& sDefPrinter) {
    cache_.DefaultPrinter = sDefPrinter;
    for (const auto& printer : platform::printers().installedPrinters()) {
        if (printer.deviceName == sDefPrinter) {
            chosenPrinter_ = printer;
            markChanged(Flag::DefaultPrinter);
            return;
        }
    }
    flags_.reset(static_cast<std::size_t>(Flag::DefaultPrinter));
}
std::string netConfig::DefaultPrinter() const {
    return cache_.DefaultPrinter;
}

std::optional<netConfig::TextList> netConfig::printerList() const {
    return printers_;
}

void netConfig::NTLogonEnabled(bool bNTLogon) {
    cache_.NTLogonEnabled = bNTLogon;
    markChanged(Flag::NTLogonEnabled);
}
bool netConfig::NTLogonEnabled() const {
    return cache_.NTLogonEnabled;
}

void netConfig::NTDomain(const std::string& sDomain) {
    storeTrimmed(cache_.NTDomain, sDomain, Flag::NTDomain);
}
std::string netConfig::NTDomain() const {
    return cache_.NTDomain;
}

void netConfig::DomainName(const std::string& sDomain) {
    storeTrimmed(cache_.DomainName, sDomain, Flag::DomainName);
}
std::string netConfig::DomainName() const {
    return cache_.DomainName;
}

void netConfig::Host(const std::string& sHost) {
    storeTrimmed(cache_.Host, sHost, Flag::Host);
}
std::string netConfig::Host() const {
    return cache_.Host;
}

void netConfig::LMHostFile(const std::string& sLMHost) {
    storeTrimmed(cache_.LMHostFile, sLMHost, Flag::LMHostFile);
}
std::string netConfig::LMHostFile() const {
    return cache_.LMHostFile;
}

void netConfig::DNSServers(const std::string& sDNSServerList) {
    storeTrimmed(cache_.DNSServers, sDNSServerList, Flag::DNSServers);
}
std::string netConfig::DNSServers() const {
    return cache_.DNSServers;
}

void netConfig::WINSServer1(const std::string& sWINSServer) {
    storeTrimmed(cache_.WINSServer1, sWINSServer, Flag::WINSServer1);
}
std::string netConfig::WINSServer1() const {
    return cache_.WINSServer1;
}

void netConfig::WINSServer2(const std::string& sWINSServer) {
    storeTrimmed(cache_.WINSServer2, sWINSServer, Flag::WINSServer2);
}
std::string netConfig::WINSServer2() const {
    return cache_.WINSServer2;
}

void netConfig::ScopeID(const std::string& sScope) {
    storeTrimmed(cache_.ScopeID, sScope, Flag::ScopeID);
}
std::string netConfig::ScopeID() const {
    return cache_.ScopeID;
}

void netConfig::SearchList(const std::string& sList) {
    storeTrimmed(cache_.SearchList, sList, Flag::SearchList);
}
std::string netConfig::SearchList() const {
    return cache_.SearchList;
}

void netConfig::DNSEnabled(bool bDNS) {
    cache_.DNSEnabled = bDNS;
    markChanged(Flag::DNSEnabled);
}
bool netConfig::DNSEnabled() const {
    return cache_.DNSEnabled;
}

void netConfig::DHCPEnabled(bool bDHCP) {
    cache_.DHCPEnabled = bDHCP;
    markChanged(Flag::DHCPEnabled);
}
bool netConfig::DHCPEnabled() const {
    return cache_.DHCPEnabled;
}

void netConfig::ComputerName(const std::string& sName) {
    storeTrimmed(cache_.ComputerName, sName, Flag::ComputerName);
}
std::string netConfig::ComputerName() const {
    return cache_.ComputerName;
}

void netConfig::Workgroup(const std::string& sGroup) {
    storeTrimmed(cache_.Workgroup, sGroup, Flag::Workgroup);
}
std::string netConfig::Workgroup() const {
    return cache_.Workgroup;
}

// The servers and the scope are stored one way with WINS on and another with it off,
// so all three must be written again when the switch changes.
void netConfig::WINSEnabled(bool bEnabled) {
    cache_.WINSEnabled = bEnabled;
    markChanged(Flag::WINSEnabled);
    markChanged(Flag::WINSServer1);
    markChanged(Flag::WINSServer2);
    markChanged(Flag::ScopeID);
}
bool netConfig::WINSEnabled() const {
    return cache_.WINSEnabled;
}

std::string netConfig::Version() const {
    return "1";
}

void netConfig::IPAddress(const std::string& sIP) {
    storeTrimmed(cache_.IPAddress, sIP, Flag::IPAddress);
}
std::string netConfig::IPAddress() const {
    return cache_.IPAddress;
}

void netConfig::IPMask(const std::string& sMask) {
    storeTrimmed(cache_.IPMask, sMask, Flag::IPMask);
}
std::string netConfig::IPMask() const {
    return cache_.IPMask;
}

void netConfig::ReadOnly(bool) {
    readOnly_ = false;
}
bool netConfig::ReadOnly() const {
    return readOnly_;
}

bool netConfig::FileVersion() const {
    return false;
}
