#pragma once
// Internet Explorer's connection and proxy settings: the current user's Internet
// Settings key, the dial-up connections (Remote Access on Windows 95/98, the phone book
// on Windows NT) and the "Internet Explorer" section of a configuration file.

#include <string>

#include "browser/browserProperties.h"
#include "registry/clsEasyRegistry.h"

class IEConfig : public browserProperties {
  public:
    IEConfig();
    ~IEConfig() override;
    IEConfig(const IEConfig&) = delete;
    IEConfig& operator=(const IEConfig&) = delete;

    void loadConfiguration() override;
    void applyConfiguration() override;
    void loadConfigurationFile(const std::string& sFilename) override;
    void saveConfigurationFile(const std::string& sFilename) override;
    void setProperties(const std::string& sKey, const std::string& sValue) override;
    void resetFlags() override;

    void getProxyAddresses() override;
    void getProxyEnabled() override;
    void getProxyExceptions() override;
    void getDUNList() override;
    void getAutoConfigURL() override;
    void getConnectViaLAN() override;
    void getDefaultHomePage() override;
    void setAutoConfigURL() override;
    void setProxyAddresses() override;
    void setProxyEnabled() override;
    void setProxyExceptions() override;
    void setDUN() override;
    void setDefaultHomePage() override;
    void setConnectViaLAN() override;

    std::optional<DUNNames> DUNList() const override;

    // The proxy server string and the bypass list as the registry and the file hold
    // them: reading one sets the properties, composing gives it back.
    void setProxySettings(const std::string& sServer);
    std::string buildProxyServer() const;
    void setBypassList(const std::string& sList);
    std::string bypassList() const;

  private:
    std::string parseProxyServer(std::string& sServer, std::string& sPort) const;
    void storeProxy(const std::string& sProtocol, const std::string& sAddr,
                    const std::string& sPort);
    void setHTTP(const std::string& sAddr, const std::string& sPort);
    void setFTP(const std::string& sAddr, const std::string& sPort);
    void setGopher(const std::string& sAddr, const std::string& sPort);
    void setSecure(const std::string& sAddr, const std::string& sPort);
    void appendRemoteAccessEntries();
    void appendPhoneBookEntries();
    void cdInternetSettings();
    void writeFlag(const std::string& sValueName, bool bOn);
    void writeText(const std::string& sValueName, const std::string& sText);

    clsEasyRegistry registry_;
    DUNNames dunList_;
};
