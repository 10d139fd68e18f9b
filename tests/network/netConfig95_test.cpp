// The Windows 95/98 network backend against the win98 template laptop: a dial-up
// adapter (NetTrans\0000, DHCP) and an Ethernet card (NetTrans\0001, static with WINS),
// with WinSock 2 installed.

#include "network/netConfig95.h"

#include <gtest/gtest.h>

#include "tests/network/NetworkTestSupport.h"

namespace {

using namespace nettest;
using Strings = std::vector<std::string>;

const std::string kDialUp = kNetTrans + "0000";
const std::string kEthernet = kNetTrans + "0001";

TEST(NetConfig95, LoadsTheTemplateLaptop) {
    testsupport::TestMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();

    EXPECT_EQ(net.WinSockVersion(), 2);
    EXPECT_EQ(net.AdapterList(),
              (Strings{"Dial-Up Adapter", "Intel 8255x-based PCI Ethernet Adapter (10/100)"}));
    EXPECT_EQ(net.CurrentAdapter(), 0);
    EXPECT_EQ(net.IPAddress(), "0.0.0.0");
    EXPECT_TRUE(net.DHCPEnabled());
    EXPECT_FALSE(net.WINSEnabled());
    EXPECT_EQ(net.WINSServer1(), "");
    EXPECT_EQ(net.Host(), "jmorgan-lt");
    EXPECT_EQ(net.DomainName(), "harbourline.com");
    EXPECT_EQ(net.DNSServers(), "192.168.10.5,192.168.10.6");
    EXPECT_EQ(net.SearchList(), "harbourline.com,eng.harbourline.com");
    EXPECT_TRUE(net.DNSEnabled());
    EXPECT_EQ(net.LMHostFile(), "C:\\WINDOWS\\LMHOSTS");
    EXPECT_EQ(net.ComputerName(), "JMORGAN-LT");
    EXPECT_EQ(net.Workgroup(), "HARBOURLINE");
    EXPECT_TRUE(net.NTLogonEnabled());
    EXPECT_EQ(net.NTDomain(), "HARBOUR");
    EXPECT_EQ(net.printerList(),
              (Strings{"Epson Stylus COLOR 740", "HP LaserJet 4000 Series PCL"}));
    EXPECT_EQ(net.DefaultPrinter(), "HP LaserJet 4000 Series PCL");
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i) {
        EXPECT_FALSE(net.isChanged(static_cast<netConfig::Flag>(i))) << i;
    }
}

TEST(NetConfig95, SwitchesAdaptersWithAndWithoutReReading) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();

    net.CurrentAdapter(1);
    EXPECT_EQ(net.CurrentAdapter(), 1);
    EXPECT_EQ(net.IPAddress(), "192.168.10.47");
    EXPECT_EQ(net.IPMask(), "255.255.255.0");
    EXPECT_EQ(net.DefaultGateway(), "192.168.10.1");
    EXPECT_FALSE(net.DHCPEnabled());
    EXPECT_TRUE(net.WINSEnabled());
    EXPECT_EQ(net.WINSServer2(), "192.168.10.6");
    EXPECT_FALSE(net.isChanged(netConfig::Flag::IPAddress));

    // Without the re-read the cache stays, and the next apply goes to the new adapter.
    net.IPAddress("10.1.1.1");
    net.CurrentAdapterNoRefresh(0);
    EXPECT_EQ(net.IPAddress(), "10.1.1.1");
    net.applyConfiguration();
    EXPECT_EQ(readText(kDialUp, "IPAddress"), "10.1.1.1");
    EXPECT_EQ(readText(kEthernet, "IPAddress"), "192.168.10.47");

    machine.recorder().clear();
    for (const std::int16_t bad : {std::int16_t{2}, std::int16_t{-1}, std::int16_t{300}}) {
        net.CurrentAdapter(bad);
        net.CurrentAdapterNoRefresh(bad);
        EXPECT_EQ(net.CurrentAdapter(), 0);
    }
    EXPECT_EQ(net.IPAddress(), "10.1.1.1");
    EXPECT_TRUE(machine.recorder().allWrites().empty());
}

// With WinSock 2 each adapter has its own scope; switching WINS on after a change of
// adapter must not carry the previous adapter's scope over.
TEST(NetConfig95, SwitchingAdaptersReadsTheNewAdaptersScope) {
    testsupport::TestMachine machine("win98");
    writeText(kEthernet, "ScopeID", "corp");
    netConfig95 net;
    net.loadConfiguration();
    net.CurrentAdapter(1);
    EXPECT_EQ(net.ScopeID(), "corp");

    net.CurrentAdapter(0);  // the dial-up adapter has no scope
    EXPECT_EQ(net.ScopeID(), "");
    net.WINSEnabled(true);
    net.applyConfiguration();
    EXPECT_EQ(readText(kDialUp, "ScopeID"), "");
    EXPECT_EQ(readText(kEthernet, "ScopeID"), "corp");
}

TEST(NetConfig95, NodeTypeDecidesDhcpAndWins) {
    struct Case {
        std::optional<std::string> nodeType;
        bool dhcp;
        bool wins;
    };
    // Before each read both switches are on, so "unchanged" shows as true/true.
    const Case cases[] = {{std::nullopt, true, false},
                          {"8", false, true},
                          {"1", false, false},
                          {"4", true, true},
                          {"hybrid", true, true}};
    for (const auto& c : cases) {
        testsupport::TestMachine machine("win98");
        netConfig95 net;
        net.loadConfiguration();
        net.CurrentAdapterNoRefresh(1);
        if (c.nodeType) {
            writeText(kEthernet, "NodeType", *c.nodeType);
        } else {
            removeValue(kEthernet, "NodeType");
        }
        net.DHCPEnabled(true);
        net.WINSEnabled(true);
        net.getDHCPEnabled();
        EXPECT_EQ(net.DHCPEnabled(), c.dhcp) << c.nodeType.value_or("absent");
        EXPECT_EQ(net.WINSEnabled(), c.wins) << c.nodeType.value_or("absent");
        net.getWINSEnabled();
        EXPECT_EQ(net.WINSEnabled(), c.nodeType == "8") << c.nodeType.value_or("absent");
    }
}

TEST(NetConfig95, AppliesTheNodeTypeInBothOrders) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();
    net.CurrentAdapter(1);

    // Static without WINS: both steps write the broadcast node type.
    net.DHCPEnabled(false);
    net.WINSEnabled(false);
    machine.recorder().clear();
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(),
              (Strings{"NodeType=1", "-NameServer1", "-NameServer2", "-ScopeID", "NodeType=1"}));

    // DHCP on ends without a node type, even with WINS switched on in the same apply.
    net.WINSEnabled(true);
    net.DHCPEnabled(true);
    machine.recorder().clear();
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(), (Strings{"NodeType=8", "NameServer1=192.168.10.5",
                                          "NameServer2=192.168.10.6", "ScopeID=", "-NodeType"}));
    EXPECT_FALSE(readValue(kEthernet, "NodeType"));
}

TEST(NetConfig95, TurningWinsOffDeletesServersAndScope) {
    testsupport::TestMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();
    net.CurrentAdapter(1);
    net.WINSEnabled(false);
    net.applyConfiguration();
    EXPECT_EQ(readText(kEthernet, "NodeType"), "1");
    EXPECT_FALSE(readValue(kEthernet, "NameServer1"));
    EXPECT_FALSE(readValue(kEthernet, "NameServer2"));
    EXPECT_FALSE(readValue(kEthernet, "ScopeID"));
}

TEST(NetConfig95, WinSockOneKeepsNetBiosSettingsInTheMstcpKey) {
    testsupport::TestMachine machine("win98");
    removeKey(kHklm + "System\\CurrentControlSet\\Services\\WinSock2", "Parameters");
    writeText(kMstcp, "NodeType", "8");
    writeText(kMstcp, "NameServer1", "10.0.0.5");
    netConfig95 net;
    net.loadConfiguration();
    EXPECT_EQ(net.WinSockVersion(), 1);
    EXPECT_TRUE(net.WINSEnabled());
    EXPECT_EQ(net.WINSServer1(), "10.0.0.5");

    net.WINSServer2("10.0.0.6");
    net.applyConfiguration();
    EXPECT_EQ(readText(kMstcp, "NameServer2"), "10.0.0.6");
    EXPECT_FALSE(readValue(kDialUp, "NameServer2"));
}

TEST(NetConfig95, WritesOnlyFlaggedSettingsInTheFixedOrder) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();
    net.applyConfiguration();
    EXPECT_TRUE(machine.recorder().allWrites().empty());

    net.DefaultGateway("10.0.0.1");
    net.NTLogonEnabled(true);
    net.DNSEnabled(false);
    net.IPAddress("");
    net.Host(" road-warrior ");
    net.ComputerName("ROAMER");
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(),
              (Strings{"ComputerName=ROAMER", "Hostname=road-warrior", "IPAddress=0.0.0.0",
                       "EnableDNS=0", "LMLogon", "DefaultGateway=10.0.0.1"}));
    const auto lmLogon = readValue(kHklm + "Network\\Logon", "LMLogon");
    ASSERT_TRUE(lmLogon);
    EXPECT_EQ(lmLogon->type, clsEasyRegistry::BINARY);
    EXPECT_EQ(lmLogon->bytes, (std::vector<std::uint8_t>{1, 0, 0, 0}));

    machine.recorder().clear();
    net.applyConfiguration();
    EXPECT_TRUE(machine.recorder().allWrites().empty());
}

// With every setting changed at once the writes follow the whole fixed order.
TEST(NetConfig95, WritesEverySettingInTheFixedOrder) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();
    net.CurrentAdapter(1);
    // Set in another order than the one applied.
    net.DefaultGateway("192.168.7.1");
    net.DefaultPrinter("Epson Stylus COLOR 740");
    net.NTDomain("HOMEDOM");
    net.NTLogonEnabled(false);
    net.DHCPEnabled(false);
    net.DNSEnabled(false);
    net.SearchList("home.example");
    net.ScopeID("HOMESCOPE");
    net.WINSServer2("192.168.7.5");
    net.WINSServer1("192.168.7.4");
    net.WINSEnabled(true);
    net.DNSServers("192.168.7.2,192.168.7.3");
    net.LMHostFile("C:\\WINDOWS\\LMHOSTS.HOME");
    net.IPMask("255.255.0.0");
    net.IPAddress("192.168.7.50");
    net.Host("roamer");
    net.DomainName("home.example");
    net.Workgroup("HOMENET");
    net.ComputerName("ROAMER");
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i) {
        ASSERT_TRUE(net.isChanged(static_cast<netConfig::Flag>(i))) << i;
    }
    machine.recorder().clear();
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(),
              (Strings{"ComputerName=ROAMER", "Workgroup=HOMENET", "Domain=home.example",
                       "Hostname=roamer", "IPAddress=192.168.7.50", "IPMask=255.255.0.0",
                       "NameServer=192.168.7.2,192.168.7.3", "NodeType=8",
                       "NameServer1=192.168.7.4", "NameServer2=192.168.7.5", "ScopeID=HOMESCOPE",
                       "SearchList=home.example", "EnableDNS=0", "LMLogon",
                       "AuthenticatingAgent=HOMEDOM", "DefaultGateway=192.168.7.1"}));
    EXPECT_EQ(machine.power().broadcasts.size(), 1u);
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i) {
        EXPECT_FALSE(net.isChanged(static_cast<netConfig::Flag>(i))) << i;
    }
}

TEST(NetConfig95, WithoutAdaptersTheAdapterSettingsAreLeftAlone) {
    RecordedMachine machine("win98");
    removeValue(kHklm + "Enum\\Root\\Net\\0000\\Bindings", "MSTCP\\0000");
    removeValue(
        kHklm +
            "Enum\\PCI\\VEN_8086&DEV_1229&SUBSYS_000C8086&REV_08\\BUS_00&DEV_0E&FUNC_00\\Bindings",
        "MSTCP\\0001");
    netConfig95 net;
    net.loadConfiguration();
    EXPECT_EQ(net.CurrentAdapter(), -1);
    EXPECT_FALSE(net.AdapterList());
    net.CurrentAdapter(0);
    EXPECT_EQ(net.CurrentAdapter(), -1);

    machine.recorder().clear();
    net.IPAddress("10.0.0.9");
    net.WINSEnabled(true);
    net.DHCPEnabled(false);
    net.Host("solo");
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(), (Strings{"Hostname=solo"}));
}

// The index starts at 0 before any adapter list exists; applying then must not reach
// for an adapter key that is not there.
TEST(NetConfig95, ApplyBeforeLoadingTouchesNoAdapter) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.IPAddress("10.0.0.9");
    net.DHCPEnabled(false);
    net.applyConfiguration();
    EXPECT_TRUE(machine.changes().empty());
    EXPECT_EQ(net.CurrentAdapter(), 0);
}

TEST(NetConfig95, AppliesTheDefaultPrinterThroughWinIni) {
    RecordedMachine machine("win98");
    netConfig95 net;
    net.loadConfiguration();

    net.DefaultPrinter("Epson Stylus");
    EXPECT_EQ(net.DefaultPrinter(), "Epson Stylus");
    EXPECT_FALSE(net.isChanged(netConfig::Flag::DefaultPrinter));
    net.applyConfiguration();
    EXPECT_TRUE(machine.power().broadcasts.empty());

    net.DefaultPrinter("Epson Stylus COLOR 740");
    EXPECT_TRUE(net.isChanged(netConfig::Flag::DefaultPrinter));
    net.applyConfiguration();
    EXPECT_EQ(win32::GetProfileStringA("windows", "device", ""),
              "Epson Stylus COLOR 740,Epson Stylus COLOR 740,LPT1:");
    ASSERT_EQ(machine.power().broadcasts.size(), 1u);
    const auto& broadcast = machine.power().broadcasts[0];
    EXPECT_EQ(broadcast.window, win32::HWND_BROADCAST);
    EXPECT_EQ(broadcast.message, win32::WM_WININICHANGE);
    EXPECT_EQ(broadcast.wParam, 0u);
    EXPECT_EQ(broadcast.lParam, 0);
    EXPECT_EQ(broadcast.flags, win32::SMTO_NORMAL);
    EXPECT_EQ(broadcast.timeout, 1000u);

    // An unknown name chosen after an installed one leaves the system's printer alone.
    net.DefaultPrinter("HP LaserJet 4000 Series PCL");
    net.DefaultPrinter("Nowhere");
    net.applyConfiguration();
    EXPECT_EQ(win32::GetProfileStringA("windows", "device", ""),
              "Epson Stylus COLOR 740,Epson Stylus COLOR 740,LPT1:");
    EXPECT_EQ(machine.power().broadcasts.size(), 1u);

    // A refused win.ini write is not announced.
    machine.winIni().refuseWrites = true;
    net.DefaultPrinter("HP LaserJet 4000 Series PCL");
    net.applyConfiguration();
    EXPECT_EQ(machine.power().broadcasts.size(), 1u);
}

TEST(NetConfig95, KeepsTheDefaultPrinterWhenNoneIsSet) {
    testsupport::TestMachine machine("win98");
    win32::WriteProfileStringA("windows", std::string("device"), std::string(""));
    netConfig95 net;
    net.DefaultPrinter("Kept");
    net.getDefaultPrinter();
    EXPECT_EQ(net.DefaultPrinter(), "Kept");
}

}  // namespace
