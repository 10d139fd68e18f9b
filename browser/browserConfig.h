#pragma once
// The connection and proxy settings of one web browser. The configuration document and
// the browser tabs hold a browser backend only through this interface; each backend
// reads its settings from the browser's own store, writes them back, and keeps them in
// its own section of a configuration file. Members are declared in their slot order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class browserConfig {
  public:
    // The names of the dial-up connections of the machine, in the order found.
    using DUNNames = std::vector<std::string>;

    virtual ~browserConfig() = default;

    // 0: the backend is usable; anything else: the document discards it.
    virtual std::int16_t status() const = 0;
    virtual bool isInstalled() const = 0;
    // Reads every setting from the browser's store.
    virtual void loadConfiguration() = 0;
    // Writes every setting to the browser's store.
    virtual void applyConfiguration() = 0;
    // Read or write the backend's own section of a configuration file.
    virtual void loadConfigurationFile(const std::string& sFilename) = 0;
    virtual void saveConfigurationFile(const std::string& sFilename) = 0;
    virtual void setProperties(const std::string& sKey, const std::string& sValue) = 0;
    virtual void resetFlags() = 0;

    // One group of settings each, from the browser's store into the properties.
    virtual void getProxyAddresses() = 0;
    virtual void getProxyEnabled() = 0;
    virtual void getProxyExceptions() = 0;
    virtual void getDUNList() = 0;
    virtual void getAutoConfigURL() = 0;
    virtual void getConnectViaLAN() = 0;
    virtual void getDefaultHomePage() = 0;
    // One group of settings each, from the properties into the browser's store.
    virtual void setAutoConfigURL() = 0;
    virtual void setProxyAddresses() = 0;
    virtual void setProxyEnabled() = 0;
    virtual void setProxyExceptions() = 0;
    virtual void setDUN() = 0;
    virtual void setDefaultHomePage() = 0;
    virtual void setConnectViaLAN() = 0;

    // No list at all when the browser has no notion of dial-up connections.
    virtual std::optional<DUNNames> DUNList() const = 0;
    virtual std::string CurrentDUN() const = 0;
    virtual void CurrentDUN(const std::string& sDUN) = 0;
    virtual bool ProxyEnabled() const = 0;
    virtual void ProxyEnabled(bool bMode) = 0;
    virtual std::string HTTPAddress() const = 0;
    virtual void HTTPAddress(const std::string& sAddr) = 0;
    virtual std::string HTTPPort() const = 0;
    virtual void HTTPPort(const std::string& sPort) = 0;
    virtual std::string FTPAddress() const = 0;
    virtual void FTPAddress(const std::string& sAddr) = 0;
    virtual std::string FTPPort() const = 0;
    virtual void FTPPort(const std::string& sPort) = 0;
    virtual std::string GopherAddress() const = 0;
    virtual void GopherAddress(const std::string& sAddr) = 0;
    virtual std::string GopherPort() const = 0;
    virtual void GopherPort(const std::string& sPort) = 0;
    virtual std::string SecureAddress() const = 0;
    virtual void SecureAddress(const std::string& sAddr) = 0;
    virtual std::string SecurePort() const = 0;
    virtual void SecurePort(const std::string& sPort) = 0;
    virtual std::string SocksAddress() const = 0;
    virtual void SocksAddress(const std::string& sAddr) = 0;
    virtual std::string SocksPort() const = 0;
    virtual void SocksPort(const std::string& sPort) = 0;
    virtual std::string WAISAddress() const = 0;
    virtual void WAISAddress(const std::string& sAddr) = 0;
    virtual std::string WAISPort() const = 0;
    virtual void WAISPort(const std::string& sPort) = 0;
    virtual std::string AutoConfigURL() const = 0;
    virtual void AutoConfigURL(const std::string& sURL) = 0;
    virtual bool UseSameProxy() const = 0;
    virtual void UseSameProxy(bool bMode) = 0;
    virtual std::string ProxyExceptions() const = 0;
    virtual void ProxyExceptions(const std::string& sList) = 0;
    virtual bool IgnoreLocalAddresses() const = 0;
    virtual void IgnoreLocalAddresses(bool bMode) = 0;
    virtual std::string DefaultHomePage() const = 0;
    virtual void DefaultHomePage(const std::string& sAddr) = 0;
    virtual bool ConnectViaLAN() const = 0;
    virtual void ConnectViaLAN(bool bMode) = 0;
    virtual bool HasChanged() const = 0;
    virtual void HasChanged(bool bMode) = 0;
};
