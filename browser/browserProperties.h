#pragma once
// The property set every browser backend holds: plain stored values (texts start
// empty, flags false, status 0) behind the getters and setters of browserConfig.
// Setters store what they are given; nothing is validated, converted or trimmed.

#include "browser/browserConfig.h"

class browserProperties : public browserConfig {
  public:
    std::int16_t status() const override;
    bool isInstalled() const override;

    std::optional<DUNNames> DUNList() const override;
    std::string CurrentDUN() const override;
    void CurrentDUN(const std::string& sDUN) override;
    bool ProxyEnabled() const override;
    void ProxyEnabled(bool bMode) override;
    std::string HTTPAddress() const override;
    void HTTPAddress(const std::string& sAddr) override;
    std::string HTTPPort() const override;
    void HTTPPort(const std::string& sPort) override;
    std::string FTPAddress() const override;
    void FTPAddress(const std::string& sAddr) override;
    std::string FTPPort() const override;
    void FTPPort(const std::string& sPort) override;
    std::string GopherAddress() const override;
    void GopherAddress(const std::string& sAddr) override;
    std::string GopherPort() const override;
    void GopherPort(const std::string& sPort) override;
    std::string SecureAddress() const override;
    void SecureAddress(const std::string& sAddr) override;
    std::string SecurePort() const override;
    void SecurePort(const std::string& sPort) override;
    std::string SocksAddress() const override;
    void SocksAddress(const std::string& sAddr) override;
    std::string SocksPort() const override;
    void SocksPort(const std::string& sPort) override;
    std::string WAISAddress() const override;
    void WAISAddress(const std::string& sAddr) override;
    std::string WAISPort() const override;
    void WAISPort(const std::string& sPort) override;
    std::string AutoConfigURL() const override;
    void AutoConfigURL(const std::string& sURL) override;
    bool UseSameProxy() const override;
    void UseSameProxy(bool bMode) override;
    std::string ProxyExceptions() const override;
    void ProxyExceptions(const std::string& sList) override;
    bool IgnoreLocalAddresses() const override;
    void IgnoreLocalAddresses(bool bMode) override;
    std::string DefaultHomePage() const override;
    void DefaultHomePage(const std::string& sAddr) override;
    bool ConnectViaLAN() const override;
    void ConnectViaLAN(bool bMode) override;
    bool HasChanged() const override;
    void HasChanged(bool bMode) override;

  protected:
    void setStatus(std::int16_t iStatus);

  private:
    std::int16_t status_ = 0;
    std::string currentDUN_;
    bool proxyEnabled_ = false;
    std::string httpAddress_, httpPort_;
    std::string ftpAddress_, ftpPort_;
    std::string gopherAddress_, gopherPort_;
    std::string secureAddress_, securePort_;
    std::string socksAddress_, socksPort_;
    std::string waisAddress_, waisPort_;
    std::string autoConfigURL_;
    bool useSameProxy_ = false;
    std::string proxyExceptions_;
    bool ignoreLocalAddresses_ = false;
    std::string defaultHomePage_;
    bool connectViaLAN_ = false;
    bool hasChanged_ = false;
};
