#pragma once
// Network settings of Windows 95 and 98: the Microsoft TCP/IP stack's values under
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services (VxD\MSTCP and the adapter's
// NetTrans key), the computer name, workgroup and network logon, and the default
// printer. Adapters are found with nic.

#include <cstdint>
#include <optional>
#include <string>

#include "network/netConfig.h"

class netConfig95 : public netConfig {
  public:
    // Detects the WinSock version once: with WinSock 2 the NetBIOS settings live in
    // the adapter's key, with WinSock 1 in the machine-wide MSTCP key.
    netConfig95();

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
    void setDefaultGateway() override;

    // 1 or 2, fixed at creation.
    std::int16_t WinSockVersion() const { return winSockVersion_; }

  protected:
    void enumAdapters(KeyedList& cDesc, KeyedList& cKey) override;
    void rereadAdapterSettings() override;

  private:
    void rereadAdapterScope();
    std::optional<std::string> adapterKeyPath() const;
    std::optional<std::string> netBiosKeyPath() const;
    std::optional<std::string> readNodeType();
    void writeNodeType(const std::string& nodeType);
    void readAdapterText(const std::string& valueName, std::string& target);
    void writeAdapterText(const std::string& valueName, const std::string& text);
    void readWinsServer(const std::string& valueName, std::string& target);
    void writeOrDeleteWinsValue(const std::string& valueName, const std::string& text);

    std::int16_t winSockVersion_ = 1;
};
