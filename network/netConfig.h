#pragma once
// The network settings of the machine as one object: TCP/IP settings of the current
// adapter, DNS and WINS, computer name and workgroup, the domain logon and the default
// printer. A backend per operating system (netConfig95, netConfigNT) fills the cached
// values from the system, writes back the ones marked changed, and reads or writes the
// "Network" and "Printer" sections of a configuration file. Callers hold this interface
// only.
//
// The virtual members are declared in their fixed slot order; members added later come
// after the last slot. Property setters only change the cache and mark the setting
// changed; applyConfiguration writes the marked settings and clears the marks.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "network/KeyedList.h"
#include "network/NetworkSettings.h"
#include "platform/Printers.h"
#include "registry/clsEasyRegistry.h"

class netConfig {
  public:
    using TextList = std::vector<std::string>;

    // One change flag per setting that applyConfiguration can write.
    enum class Flag : std::size_t {
        DomainName,
        Host,
        LMHostFile,
        DNSServers,
        WINSServer1,
        WINSServer2,
        ScopeID,
        SearchList,
        DNSEnabled,
        ComputerName,
        Workgroup,
        WINSEnabled,
        NTLogonEnabled,
        NTDomain,
        DHCPEnabled,
        DefaultPrinter,
        DefaultGateway,
        IPAddress,
        IPMask,
    };
    static constexpr std::size_t FlagCount = 19;

    virtual ~netConfig();
    netConfig(const netConfig&) = delete;
    netConfig& operator=(const netConfig&) = delete;

    // Slots 0-4.
    virtual void loadConfiguration() = 0;
    virtual void applyConfiguration() = 0;
    virtual void loadConfigurationFile(const std::string& sFilename);
    virtual void saveConfigurationFile(const std::string& sFilename);
    virtual void resetFlags();

    // Slots 5-25: read one setting from the system into the cache; never flag.
    virtual void getAdapterList();
    virtual void getComputerName();
    virtual void getworkgroup();
    virtual void getDomain() = 0;
    virtual void getHost() = 0;
    virtual void getIPAddress() = 0;
    virtual void getIPMask() = 0;
    virtual void getLMHostFile();
    virtual void getDNSServers() = 0;
    virtual void getWINSEnabled() = 0;
    virtual void getWINSServer1() = 0;
    virtual void getWINSServer2() = 0;
    virtual void getScopeID() = 0;
    virtual void getSearchList() = 0;
    virtual void getDNSEnabled() = 0;
    virtual void getDHCPEnabled() = 0;
    virtual void getNTLogon();
    virtual void getNTDomain();
    virtual void getDefaultPrinter();
    virtual void getPrinterList();
    virtual void getDefaultGateway() = 0;

    // Slots 26-72: properties (setter, then getter).
    virtual void DefaultGateway(const std::string& sDefGateway);
    virtual std::string DefaultGateway() const;
    virtual void DefaultPrinter(const std::string& sDefPrinter);
    virtual std::string DefaultPrinter() const;
    virtual std::optional<TextList> printerList() const;
    virtual void NTLogonEnabled(bool bNTLogon);
    virtual bool NTLogonEnabled() const;
    virtual void NTDomain(const std::string& sDomain);
    virtual std::string NTDomain() const;
    virtual void DomainName(const std::string& sDomain);
    virtual std::string DomainName() const;
    virtual void Host(const std::string& sHost);
    virtual std::string Host() const;
    virtual void LMHostFile(const std::string& sLMHost);
    virtual std::string LMHostFile() const;
    virtual void DNSServers(const std::string& sDNSServerList);
    virtual std::string DNSServers() const;
    virtual void WINSServer1(const std::string& sWINSServer);
    virtual std::string WINSServer1() const;
    virtual void WINSServer2(const std::string& sWINSServer);
    virtual std::string WINSServer2() const;
    virtual void ScopeID(const std::string& sScope);
    virtual std::string ScopeID() const;
    virtual void SearchList(const std::string& sList);
    virtual std::string SearchList() const;
    virtual void DNSEnabled(bool bDNS);
    virtual bool DNSEnabled() const;
    virtual void DHCPEnabled(bool bDHCP);
    virtual bool DHCPEnabled() const;
    virtual void ComputerName(const std::string& sName);
    virtual std::string ComputerName() const;
    virtual void Workgroup(const std::string& sGroup);
    virtual std::string Workgroup() const;
    virtual void WINSEnabled(bool bEnabled);
    virtual bool WINSEnabled() const;
    virtual std::string Version() const;
    virtual void IPAddress(const std::string& sIP);
    virtual std::string IPAddress() const;
    virtual void IPMask(const std::string& sMask);
    virtual std::string IPMask() const;
    virtual std::optional<TextList> AdapterList() const;
    virtual void CurrentAdapter(std::int16_t iIndex);
    virtual std::int16_t CurrentAdapter() const;
    virtual void CurrentAdapterNoRefresh(std::int16_t iIndex);
    virtual void ReadOnly(bool bReadOnly);
    virtual bool ReadOnly() const;
    virtual bool FileVersion() const;

    // Slots 73-91: write one cached setting to the system, flagged or not.
    virtual void setComputerName();
    virtual void setworkgroup();
    virtual void setDomain() = 0;
    virtual void setHost() = 0;
    virtual void setIPAddress() = 0;
    virtual void setIPMask() = 0;
    virtual void setLMHostFile();
    virtual void setDNSServers() = 0;
    virtual void setWINSEnabled() = 0;
    virtual void setWINSServer1() = 0;
    virtual void setWINSServer2() = 0;
    virtual void setScopeID() = 0;
    virtual void setSearchList() = 0;
    virtual void setDNSEnabled() = 0;
    virtual void setDHCPEnabled() = 0;
    virtual void setNTLogon();
    virtual void setNTDomain();
    virtual void setDefaultPrinter();
    virtual void setDefaultGateway() = 0;

    // Added after the slots: whether a setting is marked changed.
    bool isChanged(Flag flag) const;
    // All marks at once: an apply that is rolled back puts back the marks its
    // applyConfiguration cleared, so that applying again writes the settings after all.
    std::bitset<FlagCount> changeMarks() const { return flags_; }
    void changeMarks(const std::bitset<FlagCount>& marks) { flags_ = marks; }

  protected:
    using Cache = NetworkSettings;

    netConfig();

    // Whether the system keeps a workgroup and a domain logon of its own. A backend that
    // keeps none leaves them out of the files it saves, so such a file applied elsewhere
    // keeps the settings there instead of blanking them.
    virtual bool keepsWorkgroupAndLogon() const { return true; }

    Cache& cache() { return cache_; }
    const Cache& cache() const { return cache_; }
    clsEasyRegistry& registry() { return registry_; }

    // The settings key of the current adapter; none while there is no usable adapter
    // (index -1, or the lists not built yet).
    std::optional<std::string> currentAdapterKey() const;
    bool hasAdapter() const { return currentAdapterKey().has_value(); }

    // Fills both keyed lists with the system's adapters (nic or nic_nt).
    virtual void enumAdapters(KeyedList& cDesc, KeyedList& cKey) = 0;
    // Re-reads the adapter-specific settings after a change of adapter, in the
    // backend's order.
    virtual void rereadAdapterSettings() = 0;
    // Calls the set operation of every flagged setting in ORDER, then resetFlags.
    void applyFlagged(const std::vector<Flag>& order);

    // Reads one text value of KEY into TARGET; a missing value leaves TARGET alone.
    // Returns whether the value was there.
    bool readText(const std::string& key, const std::string& valueName, std::string& target);
    void writeText(const std::string& key, const std::string& valueName, const std::string& text);

  private:
    void markChanged(Flag flag) { flags_.set(static_cast<std::size_t>(flag)); }
    void storeTrimmed(std::string& target, const std::string& text, Flag flag);
    void runSetOperation(Flag flag);
    bool adapterIndexUsable(std::int16_t iIndex) const;
    std::optional<std::string> currentAdapterDescription() const;
    void selectAdapterByDescription(const std::string& description);
    // The printer setDefaultPrinter writes out: the one chosen through DefaultPrinter,
    // otherwise the system's default printer.
    std::optional<platform::InstalledPrinter> currentPrinter();

    clsEasyRegistry registry_;
    Cache cache_;
    std::bitset<FlagCount> flags_;
    std::optional<TextList> adapterDescriptions_;
    std::optional<TextList> adapterKeys_;
    std::int16_t currentAdapter_ = 0;
    std::optional<TextList> printers_;
    std::optional<platform::InstalledPrinter> chosenPrinter_;
    bool readOnly_ = false;
};
