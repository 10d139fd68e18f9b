#pragma once
// Network settings of Windows NT 4.0: the Tcpip and NetBT services' parameters, each
// network card's Tcpip and NetBT adapter keys, the computer name and the default
// printer. The workgroup, the domain logon and the logon domain are read but never
// written. Adapters are found with nic_nt.

#include <optional>
#include <string>

#include "network/netConfig.h"

class netConfigNT : public netConfig {
  public:
    netConfigNT();

    void loadConfiguration() override;
    void applyConfiguration() override;

    void getDomain() override;
    void getHost() override;
    void getIPAddress() override;
    void getIPMask() override;
    void getDNSServers() override;
    void getWINSEnabled() override;
    void getWINSServer1() override;
    void getWINSServer2() override;
    void getScopeID() override;
    void getSearchList() override;
    void getDNSEnabled() override;
    void getDHCPEnabled() override;
    void getDefaultGateway() override;

    void setworkgroup() override;
    void setDomain() override;
    void setHost() override;
    void setIPAddress() override;
    void setIPMask() override;
    void setDNSServers() override;
    void setWINSEnabled() override;
    void setWINSServer1() override;
    void setWINSServer2() override;
    void setScopeID() override;
    void setSearchList() override;
    void setDNSEnabled() override;
    void setDHCPEnabled() override;
    void setNTLogon() override;
    void setNTDomain() override;
    void setDefaultGateway() override;

  protected:
    bool keepsWorkgroupAndLogon() const override { return false; }
    void enumAdapters(KeyedList& cDesc, KeyedList& cKey) override;
    void rereadAdapterSettings() override;

  private:
    std::optional<std::string> cardKeyPath() const;
    std::optional<std::string> cardNetBtKeyPath() const;
    void readCardList(const std::string& valueName, std::string& target);
    void writeCardList(const std::string& valueName, const std::string& commaList);
    void readCardWinsServer(const std::string& valueName, std::string& target);
    void writeCardWinsServer(const std::string& valueName, const std::string& text);
    std::optional<bool> readFlagDword(const std::string& key, const std::string& valueName);
    void writeFlagDword(const std::string& key, const std::string& valueName, bool on);
};
