// Behaviour both network backends share: the property setters and change flags, and the
// "Network" and "Printer" sections of a configuration file, including the round trip
// save -> change the machine -> load -> apply on each template machine.

#include "network/netConfig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "network/netConfig95.h"
#include "network/netConfigNT.h"
#include "tests/network/NetworkTestSupport.h"

namespace {

using namespace nettest;
using Strings = std::vector<std::string>;
using Flag = netConfig::Flag;

// Every value a configuration file carries, read through the getters.
struct Snapshot {
    std::string IPAddress, IPMask, DefaultGateway, DNSServers, Host, DomainName, SearchList,
        WINSServer1, WINSServer2, ScopeID, ComputerName, Workgroup, NTDomain, DefaultPrinter;
    bool DNSEnabled, NTLogonEnabled, DHCPEnabled, WINSEnabled;

    static Snapshot of(const netConfig& n) {
        return {n.IPAddress(),   n.IPMask(),         n.DefaultGateway(), n.DNSServers(),
                n.Host(),        n.DomainName(),     n.SearchList(),     n.WINSServer1(),
                n.WINSServer2(), n.ScopeID(),        n.ComputerName(),   n.Workgroup(),
                n.NTDomain(),    n.DefaultPrinter(), n.DNSEnabled(),     n.NTLogonEnabled(),
                n.DHCPEnabled(), n.WINSEnabled()};
    }
    bool operator==(const Snapshot&) const = default;
};

// What the network tab does after a file was opened: every value that differs from the
// one shown goes through its setter again.
void setDifferences(netConfig& n, const Snapshot& shown) {
    const Snapshot loaded = Snapshot::of(n);
    auto text = [](const std::string& now, const std::string& before, auto setter) {
        if (now != before) setter(now);
    };
    text(loaded.Host, shown.Host, [&](auto& v) { n.Host(v); });
    text(loaded.DomainName, shown.DomainName, [&](auto& v) { n.DomainName(v); });
    text(loaded.IPAddress, shown.IPAddress, [&](auto& v) { n.IPAddress(v); });
    text(loaded.IPMask, shown.IPMask, [&](auto& v) { n.IPMask(v); });
    text(loaded.DefaultGateway, shown.DefaultGateway, [&](auto& v) { n.DefaultGateway(v); });
    text(loaded.DNSServers, shown.DNSServers, [&](auto& v) { n.DNSServers(v); });
    text(loaded.SearchList, shown.SearchList, [&](auto& v) { n.SearchList(v); });
    text(loaded.WINSServer1, shown.WINSServer1, [&](auto& v) { n.WINSServer1(v); });
    text(loaded.WINSServer2, shown.WINSServer2, [&](auto& v) { n.WINSServer2(v); });
    text(loaded.ScopeID, shown.ScopeID, [&](auto& v) { n.ScopeID(v); });
    text(loaded.NTDomain, shown.NTDomain, [&](auto& v) { n.NTDomain(v); });
    text(loaded.ComputerName, shown.ComputerName, [&](auto& v) { n.ComputerName(v); });
    text(loaded.Workgroup, shown.Workgroup, [&](auto& v) { n.Workgroup(v); });
    text(loaded.DefaultPrinter, shown.DefaultPrinter, [&](auto& v) { n.DefaultPrinter(v); });
    if (loaded.NTLogonEnabled != shown.NTLogonEnabled) n.NTLogonEnabled(loaded.NTLogonEnabled);
    if (loaded.DNSEnabled != shown.DNSEnabled) n.DNSEnabled(loaded.DNSEnabled);
    if (loaded.WINSEnabled != shown.WINSEnabled) n.WINSEnabled(loaded.WINSEnabled);
    if (loaded.DHCPEnabled != shown.DHCPEnabled) n.DHCPEnabled(loaded.DHCPEnabled);
}

std::unique_ptr<netConfig> backendFor(const std::string& templateName) {
    if (templateName == "nt4") return std::make_unique<netConfigNT>();
    return std::make_unique<netConfig95>();
}

// "key" of every key line in the file, sections as "[name]".
Strings keyLines(const std::filesystem::path& file) {
    std::ifstream in(file);
    Strings keys;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("["))
            keys.push_back(line);
        else if (const auto equals = line.find('='); equals != std::string::npos)
            keys.push_back(line.substr(0, equals));
    }
    return keys;
}

bool anyFlagSet(const netConfig& n) {
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i) {
        if (n.isChanged(static_cast<Flag>(i))) return true;
    }
    return false;
}

TEST(NetConfig, SettersTrimAndFlag) {
    testsupport::TestMachine machine("win98");
    netConfig95 net;
    net.IPAddress("  10.0.0.1 ");
    net.DefaultPrinter(" Epson Stylus COLOR 740");
    EXPECT_EQ(net.IPAddress(), "10.0.0.1");
    EXPECT_EQ(net.DefaultPrinter(), " Epson Stylus COLOR 740");
    EXPECT_TRUE(net.isChanged(Flag::IPAddress));
    EXPECT_FALSE(net.isChanged(Flag::DefaultPrinter));

    net.WINSEnabled(true);
    for (const Flag flag :
         {Flag::WINSEnabled, Flag::WINSServer1, Flag::WINSServer2, Flag::ScopeID}) {
        EXPECT_TRUE(net.isChanged(flag));
    }
    EXPECT_FALSE(net.isChanged(Flag::DHCPEnabled));
    net.resetFlags();
    EXPECT_FALSE(anyFlagSet(net));

    net.ReadOnly(true);
    EXPECT_FALSE(net.ReadOnly());
    EXPECT_EQ(net.Version(), "1");
    EXPECT_FALSE(net.FileVersion());
    EXPECT_FALSE(net.AdapterList());
}

TEST(NetConfig, SavesTheSectionsInTheirKeyOrder) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const auto file = folder.path() / "office.rmw";
    netConfig95 net;
    net.loadConfiguration();
    net.CurrentAdapter(1);
    net.IPAddress("");
    net.saveConfigurationFile(file.string());

    EXPECT_EQ(keyLines(file),
              (Strings{"[Network]",     "Adapter",  "IPAddress", "IPMask",       "DefaultGateway",
                       "NameServer",    "HostName", "Domain",    "SearchList",   "NameServer1",
                       "NameServer2",   "ScopeID",  "EnableDNS", "ComputerName", "Workgroup",
                       "NTLogon",       "NTDomain", "DHCP",      "WINS",         "[Printer]",
                       "DefaultPrinter"}));
    const auto name = file.string();
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "Adapter", "", name),
              "Intel 8255x-based PCI Ethernet Adapter (10/100)");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "IPAddress", "", name), "0.0.0.0");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "WINS", "", name), "1");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "NameServer", "", name),
              "192.168.10.5,192.168.10.6");
}

TEST(NetConfig, LoadsSavedSectionsBackWithoutFlagging) {
    for (const std::string templateName : {"win98", "nt4"}) {
        testsupport::TestMachine machine(templateName);
        testsupport::TempFolder folder;
        const auto file = (folder.path() / "place.rmw").string();
        auto saved = backendFor(templateName);
        saved->loadConfiguration();
        saved->IPMask("");
        saved->Workgroup("ROAMING");
        saved->NTLogonEnabled(true);
        saved->NTDomain("FIELD");
        saved->saveConfigurationFile(file);

        auto loaded = backendFor(templateName);
        loaded->loadConfigurationFile(file);
        Snapshot expected = Snapshot::of(*saved);
        expected.IPMask = "0.0.0.0";
        if (templateName == "nt4") {
            // Windows NT keeps no workgroup or logon, so its files hold none: loading
            // leaves those settings as they were.
            expected.Workgroup = loaded->Workgroup();
            expected.NTLogonEnabled = loaded->NTLogonEnabled();
            expected.NTDomain = loaded->NTDomain();
        }
        EXPECT_EQ(Snapshot::of(*loaded), expected) << templateName;
        EXPECT_EQ(loaded->LMHostFile(), "") << templateName;
        EXPECT_FALSE(anyFlagSet(*loaded)) << templateName;
    }
}

TEST(NetConfig, AFileMovesBetweenWindows98AndNT) {
    testsupport::TempFolder folder;
    const auto file = (folder.path() / "laptop.rmw").string();
    Snapshot fromLaptop;
    {
        testsupport::TestMachine laptop("win98");
        netConfig95 net;
        net.loadConfiguration();
        net.CurrentAdapter(1);
        net.saveConfigurationFile(file);
        fromLaptop = Snapshot::of(net);
    }
    testsupport::TestMachine workstation("nt4");
    netConfigNT net;
    net.loadConfiguration();
    net.loadConfigurationFile(file);
    EXPECT_EQ(Snapshot::of(net), fromLaptop);
    EXPECT_EQ(net.CurrentAdapter(), 0);
}

TEST(NetConfig, SelectsTheAdapterTheFileNames) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const auto file = (folder.path() / "a.rmw").string();
    const std::string intel = "Intel 8255x-based PCI Ethernet Adapter (10/100)";
    netConfig95 net;
    net.loadConfiguration();
    const std::string printer = net.DefaultPrinter();

    win32::WritePrivateProfileStringA("Network", std::string("Adapter"), intel, file);
    net.loadConfigurationFile(file);
    EXPECT_EQ(net.CurrentAdapter(), 1);
    EXPECT_EQ(net.DefaultPrinter(), printer);  // no Printer section: kept
    EXPECT_FALSE(net.isChanged(Flag::DefaultPrinter));

    win32::WritePrivateProfileStringA("Network", std::string("Adapter"), std::string("Token Ring"),
                                      file);
    net.loadConfigurationFile(file);
    EXPECT_EQ(net.CurrentAdapter(), 0);

    // With two equal descriptions the last one wins.
    writeText(kHklm + "Enum\\Root\\Net\\0000", "DeviceDesc", intel);
    netConfig95 twins;
    twins.loadConfiguration();
    win32::WritePrivateProfileStringA("Network", std::string("Adapter"), intel, file);
    twins.loadConfigurationFile(file);
    EXPECT_EQ(twins.CurrentAdapter(), 1);
}

TEST(NetConfig, WithoutAdaptersTheFileSaysSoAndSelectsNothing) {
    testsupport::TestMachine machine("nt4");
    testsupport::TempFolder folder;
    const auto file = (folder.path() / "none.rmw").string();
    removeKey(kHklm + "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1",
              "NetRules");
    removeKey(kHklm + "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards", "1");
    netConfigNT net;
    net.loadConfiguration();
    EXPECT_EQ(net.CurrentAdapter(), -1);
    net.saveConfigurationFile(file);
    EXPECT_EQ(win32::GetPrivateProfileStringA("Network", "Adapter", "", file),
              "No Adapters Installed");
    net.loadConfigurationFile(file);
    EXPECT_EQ(net.CurrentAdapter(), -1);
}

// Saves the machine's settings, changes the machine, then restores it from the file the
// way the main window does.
void roundTrip(const std::string& templateName, const std::function<void()>& changeMachine,
               std::int16_t adapter) {
    testsupport::TestMachine machine(templateName);
    testsupport::TempFolder folder;
    const auto file = (folder.path() / "saved.rmw").string();
    auto original = backendFor(templateName);
    original->loadConfiguration();
    original->CurrentAdapter(adapter);
    const Snapshot before = Snapshot::of(*original);
    original->saveConfigurationFile(file);

    changeMachine();
    auto fresh = backendFor(templateName);
    fresh->loadConfiguration();
    const Snapshot shown = Snapshot::of(*fresh);
    ASSERT_NE(shown, before);
    fresh->loadConfigurationFile(file);
    setDifferences(*fresh, shown);
    fresh->applyConfiguration();

    auto check = backendFor(templateName);
    check->loadConfiguration();
    check->CurrentAdapter(adapter);
    EXPECT_EQ(Snapshot::of(*check), before);
}

TEST(NetConfig, RoundTripRestoresTheWindows98Laptop) {
    roundTrip(
        "win98",
        [] {
            const std::string ethernet = kNetTrans + "0001";
            writeText(ethernet, "IPAddress", "10.9.9.9");
            writeText(ethernet, "DefaultGateway", "10.9.9.1");
            writeText(ethernet, "NodeType", "1");
            removeValue(ethernet, "NameServer1");
            writeText(kMstcp, "Hostname", "elsewhere");
            writeText(kMstcp, "Domain", "example.org");
            writeText(kMstcp, "NameServer", "10.9.9.2");
            writeText(kMstcp, "SearchList", "");
            writeText(kMstcp, "EnableDNS", "0");
            writeText(kHklm + "System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
                      "ComputerName", "GUEST");
            writeText(kHklm + "System\\CurrentControlSet\\Services\\VxD\\VNETSUP", "Workgroup",
                      "HOME");
            writeText(kHklm + "System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                      "AuthenticatingAgent", "");
            clsEasyRegistry registry;
            registry.Cd(kHklm + "Network\\Logon");
            registry.ValueOf("LMLogon", clsEasyRegistry::BINARY,
                             clsEasyRegistry::Bytes{0, 0, 0, 0});
            win32::WriteProfileStringA(
                "windows", std::string("device"),
                std::string("Epson Stylus COLOR 740,Epson Stylus COLOR 740,LPT1:"));
        },
        1);
}

TEST(NetConfig, RoundTripRestoresTheNtWorkstation) {
    roundTrip(
        "nt4",
        [] {
            writeMultiString(kCard, "IPAddress", std::string("10.99.0.1\0\0", 11));
            writeMultiString(kCard, "SubnetMask", std::string("255.0.0.0\0\0", 11));
            writeMultiString(kCard, "DefaultGateway", std::string("\0\0", 2));
            writeDword(kCard, "EnableDHCP", 1);
            writeText(kTcpip, "Hostname", "elsewhere");
            writeText(kTcpip, "Domain", "example.org");
            writeText(kTcpip, "NameServer", "10.99.0.2");
            writeText(kTcpip, "SearchList", "example.org");
            writeDword(kNetBt, "EnableDNS", 0);
            writeText(kNetBt, "ScopeID", "guest");
            writeText(kCardNetBt, "NameServer", "");
            writeText(kCardNetBt, "NameServerBackup", "");
            writeText(kHklm + "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                      "ComputerName", "GUEST");
            win32::WriteProfileStringA(
                "windows", std::string("device"),
                std::string("Plotter - DesignJet 650C,HP DesignJet 650C (C2859B),LPT1:"));
        },
        0);
}

}  // namespace
