#include "browser/NNConfig.h"

#include <optional>

#include "browser/browserText.h"
#include "browser/frmNetscape.h"
#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "settings/Options.h"

namespace {

constexpr const char* kProfileUsers =
    "\\HKEY_LOCAL_MACHINE\\Software\\Netscape\\Netscape Navigator\\Users";
constexpr const char* kBiff = "\\HKEY_CURRENT_USER\\Software\\Netscape\\Netscape Navigator\\biff";
constexpr const char* kSection = "Netscape Navigator";
constexpr const char* kProxyType = "network.proxy.type";
constexpr std::int32_t kManualProxy = 1;
constexpr std::int32_t kAutomaticProxy = 2;

// The preference keys of one proxy: address key, port key.
struct ProxyKeys {
    const char* address;
    const char* port;
};
constexpr ProxyKeys kHTTP{"network.proxy.http", "network.proxy.http_port"};
constexpr ProxyKeys kFTP{"network.proxy.ftp", "network.proxy.ftp_port"};
constexpr ProxyKeys kGopher{"network.proxy.gopher", "network.proxy.gopher_port"};
constexpr ProxyKeys kSSL{"network.proxy.ssl", "network.proxy.ssl_port"};
constexpr ProxyKeys kSocks{"network.hosts.socks_server", "network.hosts.socks_serverport"};
constexpr ProxyKeys kWAIS{"network.proxy.wais", "network.proxy.wais_port"};

void writeProfile(const std::string& sKey, const std::string& sValue,
                  const std::string& sFilename) {
    browsertext::writeProfile(kSection, sKey, sValue, sFilename);
}

// A port as Navigator stores it: an empty text is 0, a whole number from 0 to 65535 is
// itself, anything else has no number.
std::optional<std::int32_t> portNumber(const std::string& sPort) {
    std::string digits(platform::trimBlanks(sPort));
    digits.insert(digits.begin(), '0');
    std::int32_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > 65535) return std::nullopt;
    }
    return number;
}

}  // namespace

NNConfig::NNConfig() {
    registry_.SuppressErrors(true);
    prefsPath_ = findPrefsFile();
    warnWhenPrefsMissing();
}

NNConfig::~NNConfig() = default;

void NNConfig::loadConfiguration() {
    if (prefsPath_.empty()) return;
    prefs_.openPrefsFile(prefsPath_, false);
    getProxyAddresses();
    getProxyExceptions();
    getConnectViaLAN();
    getProxyEnabled();
    getDefaultHomePage();
    getAutoConfigURL();
    prefs_.closePrefsFile();
}

void NNConfig::applyConfiguration() {
    if (prefsPath_.empty()) return;
    prefs_.openPrefsFile(prefsPath_, true);
    setProxyAddresses();
    setProxyExceptions();
    setConnectViaLAN();
    setProxyEnabled();
    setDefaultHomePage();
    setAutoConfigURL();
    prefs_.closePrefsFile();
}

// A key the file does not have leaves its setting as the machine has it.
void NNConfig::loadConfigurationFile(const std::string& sFilename) {
    const auto load = [&](const char* key, auto&& setter) {
        if (const auto value = browsertext::readPresentProfile(kSection, key, sFilename)) {
            setter(*value);
        }
    };
    load("NNPROXYENABLE", [this](const std::string& v) { ProxyEnabled(v == "1"); });
    load("NNDIRECTCONNECTION", [this](const std::string& v) { ConnectViaLAN(v == "1"); });
    load("NNAUTOCONFIGURL", [this](const std::string& v) { AutoConfigURL(v); });
    load("NNPROXYOVERRIDE", [this](const std::string& v) { ProxyExceptions(v); });
    load("NNHTTPADDRESS", [this](const std::string& v) { HTTPAddress(v); });
    load("NNHTTPPORT", [this](const std::string& v) { HTTPPort(v); });
    load("NNFTPADDRESS", [this](const std::string& v) { FTPAddress(v); });
    load("NNFTPPORT", [this](const std::string& v) { FTPPort(v); });
    load("NNGOPHERADDRESS", [this](const std::string& v) { GopherAddress(v); });
    load("NNGOPHERPORT", [this](const std::string& v) { GopherPort(v); });
    load("NNSSLADDRESS", [this](const std::string& v) { SecureAddress(v); });
    load("NNSSLPORT", [this](const std::string& v) { SecurePort(v); });
    load("NNSOCKSADDRESS", [this](const std::string& v) { SocksAddress(v); });
    load("NNSOCKSPORT", [this](const std::string& v) { SocksPort(v); });
    load("NNWAISADDRESS", [this](const std::string& v) { WAISAddress(v); });
    load("NNWAISPORT", [this](const std::string& v) { WAISPort(v); });
}

void NNConfig::saveConfigurationFile(const std::string& sFilename) {
    writeProfile("NNPROXYENABLE", browsertext::flagText(ProxyEnabled()), sFilename);
    writeProfile("NNDIRECTCONNECTION", browsertext::flagText(ConnectViaLAN()), sFilename);
    writeProfile("NNAUTOCONFIGURL", AutoConfigURL(), sFilename);
    writeProfile("NNPROXYOVERRIDE", ProxyExceptions(), sFilename);
    writeProfile("NNHTTPADDRESS", HTTPAddress(), sFilename);
    writeProfile("NNHTTPPORT", HTTPPort(), sFilename);
    writeProfile("NNFTPADDRESS", FTPAddress(), sFilename);
    writeProfile("NNFTPPORT", FTPPort(), sFilename);
    writeProfile("NNGOPHERADDRESS", GopherAddress(), sFilename);
    writeProfile("NNGOPHERPORT", GopherPort(), sFilename);
    writeProfile("NNSSLADDRESS", SecureAddress(), sFilename);
    writeProfile("NNSSLPORT", SecurePort(), sFilename);
    writeProfile("NNSOCKSADDRESS", SocksAddress(), sFilename);
    writeProfile("NNSOCKSPORT", SocksPort(), sFilename);
    writeProfile("NNWAISADDRESS", WAISAddress(), sFilename);
    writeProfile("NNWAISPORT", WAISPort(), sFilename);
}

void NNConfig::setProperties(const std::string&, const std::string&) {}

void NNConfig::resetFlags() {}

void NNConfig::getProxyAddresses() {
    HTTPAddress(prefs_.getSetting(kHTTP.address));
    HTTPPort(prefs_.getSetting(kHTTP.port));
    FTPAddress(prefs_.getSetting(kFTP.address));
    FTPPort(prefs_.getSetting(kFTP.port));
    SecureAddress(prefs_.getSetting(kSSL.address));
    SecurePort(prefs_.getSetting(kSSL.port));
    GopherAddress(prefs_.getSetting(kGopher.address));
    GopherPort(prefs_.getSetting(kGopher.port));
    SocksAddress(prefs_.getSetting(kSocks.address));
    SocksPort(prefs_.getSetting(kSocks.port));
    WAISAddress(prefs_.getSetting(kWAIS.address));
    WAISPort(prefs_.getSetting(kWAIS.port));
}

void NNConfig::getProxyEnabled() {
    ProxyEnabled(prefs_.getSetting(kProxyType) == "1");
}

void NNConfig::getProxyExceptions() {
    ProxyExceptions(prefs_.getSetting("network.proxy.no_proxies_on"));
}

void NNConfig::getDUNList() {}

void NNConfig::getAutoConfigURL() {
    AutoConfigURL(prefs_.getSetting("network.proxy.autoconfig_url"));
}

// Without a proxy type Navigator connects directly.
void NNConfig::getConnectViaLAN() {
    ConnectViaLAN(prefs_.getSetting(kProxyType).empty());
}

void NNConfig::getDefaultHomePage() {
    DefaultHomePage("");
}

// Runs last: automatic configuration is what is left when neither of the other modes
// is chosen. The URL is kept in every mode.
void NNConfig::setAutoConfigURL() {
    if (!ConnectViaLAN() && !ProxyEnabled()) prefs_.saveSettingInt(kProxyType, kAutomaticProxy);
    prefs_.saveSettingStr("network.proxy.autoconfig_url", AutoConfigURL());
}

void NNConfig::setProxyAddresses() {
    const std::pair<ProxyKeys, std::pair<std::string, std::string>> proxies[] = {
        {kHTTP, {HTTPAddress(), HTTPPort()}},       {kFTP, {FTPAddress(), FTPPort()}},
        {kGopher, {GopherAddress(), GopherPort()}}, {kSSL, {SecureAddress(), SecurePort()}},
        {kSocks, {SocksAddress(), SocksPort()}},    {kWAIS, {WAISAddress(), WAISPort()}},
    };
    for (const auto& [keys, proxy] : proxies) {
        prefs_.saveSettingStr(keys.address, proxy.first);
        savePort(keys.port, proxy.second);
    }
}

// Manual configuration wins over a direct connection when both are set.
void NNConfig::setProxyEnabled() {
    if (ProxyEnabled()) prefs_.saveSettingInt(kProxyType, kManualProxy);
}

void NNConfig::setProxyExceptions() {
    prefs_.saveSettingStr("network.proxy.no_proxies_on", ProxyExceptions());
}

void NNConfig::setDUN() {}

void NNConfig::setDefaultHomePage() {}

void NNConfig::setConnectViaLAN() {
    if (ConnectViaLAN()) prefs_.deleteSetting(kProxyType);
}

std::optional<browserConfig::DUNNames> NNConfig::DUNList() const {
    return std::nullopt;
}

std::string NNConfig::CurrentDUN() const {
    return "";
}

void NNConfig::CurrentDUN(const std::string&) {}

const std::string& NNConfig::prefsFilePath() const {
    return prefsPath_;
}

std::string NNConfig::findPrefsFile() {
    bool profileRegistry = false;
    const std::string user = readValue(kProfileUsers, "CurrentUser", profileRegistry);
    const std::string path =
        profileRegistry ? findProfileRegistryPrefs(user) : findPerUserKeyPrefs();
    if (path.empty() || !platform::files().fileExists(path)) return "";
    return path;
}

// Navigator 4 keeps one key per profile, naming the profile's folder.
std::string NNConfig::findProfileRegistryPrefs(const std::string& sUser) {
    bool found = false;
    const std::string root = readValue(std::string(kProfileUsers) + "\\" + sUser, "DirRoot", found);
    return found ? root + "\\prefs.js" : "";
}

// Older versions name the profile folder only indirectly: the mail folder's path,
// which runs through the profile folder, the user name in lower case with "_" for blanks.
std::string NNConfig::findPerUserKeyPrefs() {
    bool found = false;
    const std::string user = readValue(kBiff, "CurrentUser", found);
    if (!found) return "";
    std::string folder = platform::lowerAscii(user);
    for (char& c : folder) {
        if (c == ' ') c = '_';
    }
    const std::string userKey = std::string(kBiff) + "\\Users\\" + user;
    const std::string server = readValue(userKey, "defaultServer", found);
    if (!found) return "";
    const std::string popstate =
        platform::lowerAscii(readValue(userKey + "\\servers\\" + server, "popstatePath", found));
    if (!found || folder.empty()) return "";
    return prefsInProfileFolder(popstate, folder);
}

// The folder name can also occur earlier in the mail path ("fil" in "program files"), so
// every place it occurs is tried in turn, the first one first, until one holds a prefs.js.
// A mail path without the name says nothing about where the profile folder is.
std::string NNConfig::prefsInProfileFolder(const std::string& sMailPath,
                                           const std::string& sFolder) {
    for (std::size_t at = sMailPath.find(sFolder); at != std::string::npos;
         at = sMailPath.find(sFolder, at + 1)) {
        std::string profileFolder = sMailPath.substr(0, at + sFolder.size() + 1);
        if (profileFolder.size() == at + sFolder.size()) profileFolder += "\\";
        const std::string prefs = profileFolder + "prefs.js";
        if (platform::files().fileExists(prefs)) return prefs;
    }
    return "";
}

std::string NNConfig::readValue(const std::string& sKey, const std::string& sValueName,
                                bool& bFound) {
    registry_.Cd(sKey);
    bFound = false;
    if (registry_.lastError() != 0) return "";
    const std::string text = registry_.ValueOf(sValueName).text;
    bFound = registry_.lastError() == 0;
    return bFound ? text : "";
}

void NNConfig::warnWhenPrefsMissing() {
    if (!prefsPath_.empty()) return;
    if (readOption("NavigatorWarning", "0") != "0") return;
    frmNetscape dialog;
    dialog.ShowModal();
    setStatus(1);
}

// A port that is no number leaves its line as it was, after telling the user.
void NNConfig::savePort(const std::string& sKey, const std::string& sPort) {
    const std::optional<std::int32_t> number = portNumber(sPort);
    if (number) {
        prefs_.saveSettingInt(sKey, *number);
    } else {
        jsPrefs::showWriteError();
    }
}
