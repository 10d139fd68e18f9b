#include "browser/IEConfig.h"

#include <optional>

#include "browser/browserText.h"
#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/Win32.h"

namespace {

constexpr const char* kInternetSettings =
    "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kRemoteAccess = "\\HKEY_CURRENT_USER\\RemoteAccess";
constexpr const char* kRemoteAccessAddresses = "\\HKEY_CURRENT_USER\\RemoteAccess\\Addresses\\";
constexpr const char* kPhoneBook = "\\ras\\rasphone.pbk";
constexpr const char* kSection = "Internet Explorer";
constexpr const char* kLocal = "<local>";

bool isWindows95Family() {
    win32::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    return win32::GetVersionExA(&info) != 0 &&
           info.dwPlatformId == win32::VER_PLATFORM_WIN32_WINDOWS;
}

// A value of "Internet Explorer" in a configuration file, "" when missing.
void writeProfile(const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename) {
    browsertext::writeProfile(kSection, sKey, sValue, sFilename);
}

// The 1-based position of the first NEEDLE in TEXT at or after FROM, 0 when absent.
std::size_t position(const std::string& sText, const std::string& sNeedle, std::size_t from = 1) {
    const std::size_t found = sText.find(sNeedle, from - 1);
    return found == std::string::npos ? 0 : found + 1;
}

}  // namespace

IEConfig::IEConfig() {
    registry_.SuppressErrors(true);
}

IEConfig::~IEConfig() = default;

void IEConfig::loadConfiguration() {
    getProxyAddresses();
    getProxyEnabled();
    getProxyExceptions();
    getDefaultHomePage();
    getConnectViaLAN();
    getDUNList();
    getAutoConfigURL();
}

void IEConfig::applyConfiguration() {
    setProxyAddresses();
    setProxyEnabled();
    setProxyExceptions();
    setDefaultHomePage();
    setConnectViaLAN();
    setDUN();
    setAutoConfigURL();
}

// A key the file does not have leaves its setting as the machine has it.
void IEConfig::loadConfigurationFile(const std::string& sFilename) {
    const auto present = [&](const char* key) {
        return browsertext::readPresentProfile(kSection, key, sFilename);
    };
    if (const auto value = present("ProxyServer")) setProxySettings(*value);
    if (const auto value = present("DialupISP")) CurrentDUN(*value);
    if (const auto value = present("ProxyEnable")) ProxyEnabled(*value == "1");
    if (const auto value = present("EnableAutoDial")) ConnectViaLAN(*value == "0");
    if (const auto value = present("AutoConfigURL")) AutoConfigURL(*value);
    if (const auto value = present("ProxyOverride")) setBypassList(*value);
}

void IEConfig::saveConfigurationFile(const std::string& sFilename) {
    writeProfile("ProxyServer", buildProxyServer(), sFilename);
    writeProfile("DialupISP", CurrentDUN(), sFilename);
    writeProfile("ProxyEnable", browsertext::flagText(ProxyEnabled()), sFilename);
    writeProfile("EnableAutoDial", browsertext::flagText(!ConnectViaLAN()), sFilename);
    writeProfile("AutoConfigURL", AutoConfigURL(), sFilename);
    writeProfile("ProxyOverride", bypassList(), sFilename);
}

void IEConfig::setProperties(const std::string&, const std::string&) {}

void IEConfig::resetFlags() {}

void IEConfig::getProxyAddresses() {
    cdInternetSettings();
    const std::string server = registry_.ValueOf("ProxyServer").text;
    if (registry_.lastError() == 0) setProxySettings(std::string(platform::trimBlanks(server)));
}

void IEConfig::getProxyEnabled() {
    cdInternetSettings();
    const clsEasyRegistry::Bytes data = registry_.ValueOf("ProxyEnable").bytes;
    ProxyEnabled(registry_.lastError() == 0 && !data.empty() && data.front() == 1);
}

void IEConfig::getProxyExceptions() {
    cdInternetSettings();
    const std::string list = registry_.ValueOf("ProxyOverride").text;
    if (registry_.lastError() == 0) {
        setBypassList(list);
    } else {
        IgnoreLocalAddresses(false);
    }
}

void IEConfig::getDUNList() {
    dunList_.clear();
    registry_.Cd(kRemoteAccess);
    if (registry_.lastError() != 0) {
        CurrentDUN("");
    } else {
        const std::string profile = registry_.ValueOf("InternetProfile").text;
        if (registry_.lastError() == 0) CurrentDUN(profile);
    }
    if (isWindows95Family()) {
        appendRemoteAccessEntries();
    } else {
        appendPhoneBookEntries();
    }
}

void IEConfig::getAutoConfigURL() {
    cdInternetSettings();
    const std::string url = registry_.ValueOf("AutoConfigURL").text;
    AutoConfigURL(registry_.lastError() == 0 ? url : "");
}

void IEConfig::getConnectViaLAN() {
    cdInternetSettings();
    const clsEasyRegistry::Bytes data = registry_.ValueOf("EnableAutoDial").bytes;
    ConnectViaLAN(registry_.lastError() == 0 && !data.empty() && data.front() == 0);
}

void IEConfig::getDefaultHomePage() {
    DefaultHomePage("");
}

void IEConfig::setAutoConfigURL() {
    cdInternetSettings();
    writeText("AutoConfigURL", AutoConfigURL());
}

void IEConfig::setProxyAddresses() {
    cdInternetSettings();
    writeText("ProxyServer", buildProxyServer());
}

void IEConfig::setProxyEnabled() {
    cdInternetSettings();
    writeFlag("ProxyEnable", ProxyEnabled());
}

void IEConfig::setProxyExceptions() {
    cdInternetSettings();
    writeText("ProxyOverride", bypassList());
}

void IEConfig::setDUN() {
    registry_.Cd(kRemoteAccess);
    writeText("InternetProfile", CurrentDUN());
}

void IEConfig::setDefaultHomePage() {}

void IEConfig::setConnectViaLAN() {
    cdInternetSettings();
    writeFlag("EnableAutodial", !ConnectViaLAN());
}

std::optional<browserConfig::DUNNames> IEConfig::DUNList() const {
    return dunList_;
}

// "host:port" alone means one server for every protocol; otherwise the string lists
// "protocol=host:port" entries separated by ";".
void IEConfig::setProxySettings(const std::string& sServer) {
    const std::string server = sServer + ";";
    UseSameProxy(!sServer.empty() && sServer.find('=') == std::string::npos);
    for (auto setter :
         {&IEConfig::setHTTP, &IEConfig::setFTP, &IEConfig::setGopher, &IEConfig::setSecure}) {
        (this->*setter)("", "");
    }
    // One server for all protocols says nothing about SOCKS, so the SOCKS proxy stays as
    // it was; a list of protocols without a SOCKS entry has none. Keeping it then would
    // carry the SOCKS proxy of one configuration file into the next one opened.
    if (!UseSameProxy()) {
        SocksAddress("");
        SocksPort("");
    }
    std::size_t start = 0;
    bool first = true;
    while (start < server.size()) {
        const std::size_t end = server.find(';', start);
        std::string entry = server.substr(start, end - start);
        // The first entry counts even when empty; an empty one later ends the list.
        if (entry.empty() && !first) break;
        first = false;
        std::string port;
        const std::string protocol = platform::upperAscii(parseProxyServer(entry, port));
        storeProxy(protocol, entry, port);
        start = end + 1;
    }
}

void IEConfig::storeProxy(const std::string& sProtocol, const std::string& sAddr,
                          const std::string& sPort) {
    if (sProtocol == "HTTP") {
        setHTTP(sAddr, sPort);
        if (UseSameProxy()) {
            setFTP(sAddr, sPort);
            setGopher(sAddr, sPort);
            setSecure(sAddr, sPort);
        }
    } else if (sProtocol == "FTP") {
        setFTP(sAddr, sPort);
    } else if (sProtocol == "GOPHER") {
        setGopher(sAddr, sPort);
    } else if (sProtocol == "HTTPS") {
        setSecure(sAddr, sPort);
    } else if (sProtocol == "SOCKS") {
        SocksAddress(sAddr);
        SocksPort(sPort);
    }
}

void IEConfig::setHTTP(const std::string& sAddr, const std::string& sPort) {
    HTTPAddress(sAddr);
    HTTPPort(sPort);
}

void IEConfig::setFTP(const std::string& sAddr, const std::string& sPort) {
    FTPAddress(sAddr);
    FTPPort(sPort);
}

void IEConfig::setGopher(const std::string& sAddr, const std::string& sPort) {
    GopherAddress(sAddr);
    GopherPort(sPort);
}

void IEConfig::setSecure(const std::string& sAddr, const std::string& sPort) {
    SecureAddress(sAddr);
    SecurePort(sPort);
}

// Splits one entry into protocol (returned), address (left in sServer) and port. An
// entry without "=" is an HTTP entry. The port follows the first ":" after the
// protocol, or, when that ":" opens a URL ("ftp://files:21"), the ":" after that. A
// "//" elsewhere in the address ("proxy//corp:") leaves the first ":" the port's, so
// that a composed "address:port" always reads back as the same address and port.
std::string IEConfig::parseProxyServer(std::string& sServer, std::string& sPort) const {
    std::size_t e = position(sServer, "=");
    if (e == 0) {
        sServer = "http=" + sServer;
        e = 5;
    }
    const std::string protocol = sServer.substr(0, e - 1);
    // Colons are looked for after the "=" only: one inside the protocol name cannot
    // separate a port.
    const std::size_t c1 = position(sServer, ":", e + 1);
    const bool opensUrl = c1 > 0 && sServer.compare(c1, 2, "//") == 0;
    const std::size_t c2 = opensUrl ? position(sServer, ":", c1 + 1) : 0;
    if (c1 > 0 && (c2 > 0 || !opensUrl)) {
        const std::size_t separator = c2 > 0 ? c2 : c1;
        sPort = sServer.substr(separator);
        sServer = sServer.substr(e, separator - e - 1);
    } else {
        sPort = "";
        sServer = sServer.substr(e);
    }
    return protocol;
}

std::string IEConfig::buildProxyServer() const {
    if (UseSameProxy()) return HTTPAddress() + ":" + HTTPPort();
    const std::pair<std::string, std::pair<std::string, std::string>> entries[] = {
        {"ftp=", {FTPAddress(), FTPPort()}},       {"gopher=", {GopherAddress(), GopherPort()}},
        {"http=", {HTTPAddress(), HTTPPort()}},    {"https=", {SecureAddress(), SecurePort()}},
        {"socks=", {SocksAddress(), SocksPort()}},
    };
    std::string server;
    for (const auto& [tag, proxy] : entries) {
        if (platform::trimBlanks(proxy.first).empty()) continue;
        server += tag + proxy.first;
        if (!platform::trimBlanks(proxy.second).empty()) server += ":" + proxy.second;
        server += ";";
    }
    if (!platform::trimBlanks(server).empty()) server.pop_back();
    return server;
}

// The exceptions as Internet Explorer lists them, with "<local>" standing for
// IgnoreLocalAddresses.
std::string IEConfig::bypassList() const {
    return IgnoreLocalAddresses() ? ProxyExceptions() + ";" + kLocal : ProxyExceptions();
}

// Entries on either side of "<local>" are kept: "a;<local>;b" lists "a;b". Every
// "<local>" goes, not only the first, so that the exceptions never hold one and the
// list composed from them reads back the same.
void IEConfig::setBypassList(const std::string& sList) {
    std::string list = sList;
    bool ignoreLocal = false;
    for (std::size_t local = list.find(kLocal); local != std::string::npos;
         local = list.find(kLocal)) {
        ignoreLocal = true;
        const std::string before = local > 0 ? list.substr(0, local - 1) : "";
        std::string after = list.substr(local + std::string(kLocal).size());
        if (!after.empty() && after.front() == ';') after.erase(0, 1);
        list = before.empty() || after.empty() ? before + after : before + ";" + after;
    }
    IgnoreLocalAddresses(ignoreLocal);
    ProxyExceptions(list);
}

void IEConfig::appendRemoteAccessEntries() {
    registry_.Cd(kRemoteAccessAddresses);
    if (registry_.lastError() != 0) return;
    const std::optional<clsEasyRegistry::ValueTable> values = registry_.DirValue();
    if (registry_.lastError() != 0 || !values) return;
    for (const std::string& name : (*values)[0]) dunList_.push_back(name);
}

// Windows NT keeps its dial-up entries in the phone book: one "[name]" line each.
void IEConfig::appendPhoneBookEntries() {
    const std::string phoneBook =
        platform::stripTerminator(win32::GetSystemDirectoryA()) + kPhoneBook;
    if (!platform::files().fileExists(phoneBook)) return;
    std::string contents;
    // An unreadable phone book lists no connections, as a missing one does.
    if (!browsertext::readFile(platform::files().toNative(phoneBook), contents)) return;
    for (const std::string& line : platform::splitLines(contents)) {
        if (!line.empty() && line.front() == '[') {
            dunList_.push_back(line.size() >= 2 ? line.substr(1, line.size() - 2) : "");
        }
    }
}

void IEConfig::cdInternetSettings() {
    registry_.Cd(kInternetSettings);
}

// Internet Explorer's switches are 4-byte binary values whose first byte is 1 or 0.
void IEConfig::writeFlag(const std::string& sValueName, bool bOn) {
    const clsEasyRegistry::Bytes data{static_cast<std::uint8_t>(bOn ? 1 : 0), 0, 0, 0};
    registry_.ValueOf(sValueName, clsEasyRegistry::BINARY, data);
}

void IEConfig::writeText(const std::string& sValueName, const std::string& sText) {
    registry_.ValueOf(sValueName, clsEasyRegistry::STRING, sText);
}
