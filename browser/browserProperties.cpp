#include "browser/browserProperties.h"

std::int16_t browserProperties::status() const {
    return status_;
}
void browserProperties::setStatus(std::int16_t iStatus) {
    status_ = iStatus;
}

// Whether a browser is present is decided from its version before a backend exists.
bool browserProperties::isInstalled() const {
    return true;
}

std::optional<browserConfig::DUNNames> browserProperties::DUNList() const {
    return std::nullopt;
}

std::string browserProperties::CurrentDUN() const {
    return currentDUN_;
}
void browserProperties::CurrentDUN(const std::string& sDUN) {
    currentDUN_ = sDUN;
}

bool browserProperties::ProxyEnabled() const {
    return proxyEnabled_;
}
void browserProperties::ProxyEnabled(bool bMode) {
    proxyEnabled_ = bMode;
}

std::string browserProperties::HTTPAddress() const {
    return httpAddress_;
}
void browserProperties::HTTPAddress(const std::string& sAddr) {
    httpAddress_ = sAddr;
}

std::string browserProperties::HTTPPort() const {
    return httpPort_;
}
void browserProperties::HTTPPort(const std::string& sPort) {
    httpPort_ = sPort;
}

std::string browserProperties::FTPAddress() const {
    return ftpAddress_;
}
void browserProperties::FTPAddress(const std::string& sAddr) {
    ftpAddress_ = sAddr;
}

std::string browserProperties::FTPPort() const {
    return ftpPort_;
}
void browserProperties::FTPPort(const std::string& sPort) {
    ftpPort_ = sPort;
}

std::string browserProperties::GopherAddress() const {
    return gopherAddress_;
}
void browserProperties::GopherAddress(const std::string& sAddr) {
    gopherAddress_ = sAddr;
}

std::string browserProperties::GopherPort() const {
    return gopherPort_;
}
void browserProperties::GopherPort(const std::string& sPort) {
    gopherPort_ = sPort;
}

std::string browserProperties::SecureAddress() const {
    return secureAddress_;
}
void browserProperties::SecureAddress(const std::string& sAddr) {
    secureAddress_ = sAddr;
}

std::string browserProperties::SecurePort() const {
    return securePort_;
}
void browserProperties::SecurePort(const std::string& sPort) {
    securePort_ = sPort;
}

std::string browserProperties::SocksAddress() const {
    return socksAddress_;
}
void browserProperties::SocksAddress(const std::string& sAddr) {
    socksAddress_ = sAddr;
}

std::string browserProperties::SocksPort() const {
    return socksPort_;
}
void browserProperties::SocksPort(const std::string& sPort) {
    socksPort_ = sPort;
}

std::string browserProperties::WAISAddress() const {
    return waisAddress_;
}
void browserProperties::WAISAddress(const std::string& sAddr) {
    waisAddress_ = sAddr;
}

std::string browserProperties::WAISPort() const {
    return waisPort_;
}
void browserProperties::WAISPort(const std::string& sPort) {
    waisPort_ = sPort;
}

std::string browserProperties::AutoConfigURL() const {
    return autoConfigURL_;
}
void browserProperties::AutoConfigURL(const std::string& sURL) {
    autoConfigURL_ = sURL;
}

bool browserProperties::UseSameProxy() const {
    return useSameProxy_;
}
void browserProperties::UseSameProxy(bool bMode) {
    useSameProxy_ = bMode;
}

std::string browserProperties::ProxyExceptions() const {
    return proxyExceptions_;
}
void browserProperties::ProxyExceptions(const std::string& sList) {
    proxyExceptions_ = sList;
}

bool browserProperties::IgnoreLocalAddresses() const {
    return ignoreLocalAddresses_;
}
void browserProperties::IgnoreLocalAddresses(bool bMode) {
    ignoreLocalAddresses_ = bMode;
}

std::string browserProperties::DefaultHomePage() const {
    return defaultHomePage_;
}
void browserProperties::DefaultHomePage(const std::string& sAddr) {
    defaultHomePage_ = sAddr;
}

bool browserProperties::ConnectViaLAN() const {
    return connectViaLAN_;
}
void browserProperties::ConnectViaLAN(bool bMode) {
    connectViaLAN_ = bMode;
}

bool browserProperties::HasChanged() const {
    return hasChanged_;
}
void browserProperties::HasChanged(bool bMode) {
    hasChanged_ = bMode;
}
