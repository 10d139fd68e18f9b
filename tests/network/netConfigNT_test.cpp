// The Windows NT network backend against the nt4 template workstation: one 3Com card
// (service El90x1) with a static address and two WINS servers.

#include "network/netConfigNT.h"

#include <gtest/gtest.h>

#include "tests/network/NetworkTestSupport.h"

namespace {

using namespace nettest;
using Strings = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& raw) {
    return Bytes(raw.begin(), raw.end());
}

// A literal with embedded NULs, whole.
template <std::size_t N>
std::string raw(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// A second card, service Card2, with its own Tcpip and NetBT adapter keys.
void addSecondCard() {
    const std::string cards =
        kHklm + "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
    makeKey(cards, "2");
    writeText(cards + "\\2", "Title", "[2] Xircom CreditCard Ethernet");
    writeText(cards + "\\2", "ServiceName", "Card2");
    writeText(cards + "\\2", "ProductName", "El90x");
    writeText(cards + "\\2", "Manufacturer", "3Com");
    const std::string services = kHklm + "SYSTEM\\CurrentControlSet\\Services";
    makeKey(services, "Card2\\Parameters\\Tcpip");
    makeKey(services, "NetBT\\Adapters\\Card2");
    const std::string card = services + "\\Card2\\Parameters\\Tcpip";
    writeMultiString(card, "IPAddress",
                     raw("172.16.0.5\0"
                         "172.16.0.6\0\0"));
    writeMultiString(card, "SubnetMask",
                     raw("255.255.0.0\0"
                         "255.255.0.0\0\0"));
    writeDword(card, "EnableDHCP", 1);
}

TEST(NetConfigNT, LoadsTheTemplateWorkstation) {
    testsupport::TestMachine machine("nt4");
    netConfigNT net;
    net.loadConfiguration();

    EXPECT_EQ(net.AdapterList(), (Strings{"[1] 3Com Fast EtherLink XL Adapter (3C905)"}));
    EXPECT_EQ(net.CurrentAdapter(), 0);
    EXPECT_EQ(net.IPAddress(), "10.20.1.57");
    EXPECT_EQ(net.IPMask(), "255.255.0.0");
    EXPECT_EQ(net.DefaultGateway(), "10.20.0.1");
    EXPECT_FALSE(net.DHCPEnabled());
    EXPECT_EQ(net.DNSServers(), "10.20.0.10,10.20.0.11");
    EXPECT_EQ(net.SearchList(), "harbourline.com,eng.harbourline.com");
    EXPECT_TRUE(net.DNSEnabled());
    EXPECT_EQ(net.WINSServer1(), "10.20.0.12");
    EXPECT_EQ(net.WINSServer2(), "10.20.0.13");
    EXPECT_TRUE(net.WINSEnabled());
    EXPECT_EQ(net.Host(), "hlws042");
    EXPECT_EQ(net.DomainName(), "harbourline.com");
    EXPECT_EQ(net.ComputerName(), "HLWS042");
    EXPECT_FALSE(net.NTLogonEnabled());
    EXPECT_EQ(net.DefaultPrinter(), "HP LaserJet 5Si");
    EXPECT_EQ(net.printerList()->size(), 2u);
}


// NT takes any run of blanks in these lists, and blanks at either end, as one separator;
// each must read as a list without empty entries, or a file saved from it would be
// refused when applied.
TEST(NetConfigNT, BlankSeparatedListsReadWithoutEmptyEntries) {
    testsupport::TestMachine machine("nt4");
    writeText(kTcpip, "NameServer", "  10.20.0.10   10.20.0.11 ");
    writeText(kTcpip, "SearchList", "a.example  b.example ");
    netConfigNT net;
    net.loadConfiguration();
    EXPECT_EQ(net.DNSServers(), "10.20.0.10,10.20.0.11");
    EXPECT_EQ(net.SearchList(), "a.example,b.example");
    writeText(kTcpip, "NameServer", "   ");
    net.loadConfiguration();
    EXPECT_EQ(net.DNSServers(), "");
}
TEST(NetConfigNT, WinsFollowsTheServers) {
    testsupport::TestMachine machine("nt4");
    writeText(kCardNetBt, "NameServer", "");
    removeValue(kCardNetBt, "NameServerBackup");
    {
        netConfigNT net;
        net.loadConfiguration();
        EXPECT_FALSE(net.WINSEnabled());
    }
    writeText(kCardNetBt, "NameServerBackup", "10.20.0.13");
    netConfigNT net;
    net.loadConfiguration();
    EXPECT_TRUE(net.WINSEnabled());
    EXPECT_EQ(net.WINSServer1(), "");
}

TEST(NetConfigNT, ConvertsListsToAndFromTheRegistryForms) {
    testsupport::TestMachine machine("nt4");
    removeValue(kCard, "EnableDHCP");
    netConfigNT net;
    net.loadConfiguration();
    EXPECT_FALSE(net.DHCPEnabled());

    net.IPAddress("10.20.1.57,10.20.1.58");
    net.IPMask("");
    net.DefaultGateway("");
    net.DNSServers("10.1.1.1,10.1.1.2");
    net.SearchList("a.example,b.example");
    net.DHCPEnabled(true);
    net.applyConfiguration();

    const auto address = readValue(kCard, "IPAddress");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->bytes, bytesOf(raw("10.20.1.57\0"
                                          "10.20.1.58\0")));
    EXPECT_EQ(readValue(kCard, "SubnetMask")->bytes, bytesOf(raw("0.0.0.0\0")));
    EXPECT_EQ(readValue(kCard, "DefaultGateway")->bytes, bytesOf(raw("\0")));
    EXPECT_EQ(readText(kTcpip, "NameServer"), "10.1.1.1 10.1.1.2");
    EXPECT_EQ(readText(kTcpip, "SearchList"), "a.example b.example");
    const auto dhcp = readValue(kCard, "EnableDHCP");
    ASSERT_TRUE(dhcp);
    EXPECT_EQ(dhcp->type, clsEasyRegistry::DWORD);
    EXPECT_EQ(dhcp->number, 1);

    netConfigNT reread;
    reread.loadConfiguration();
    EXPECT_EQ(reread.IPAddress(), "10.20.1.57,10.20.1.58");
    EXPECT_EQ(reread.IPMask(), "0.0.0.0");
    EXPECT_EQ(reread.DefaultGateway(), "");
    EXPECT_EQ(reread.DNSServers(), "10.1.1.1,10.1.1.2");
    EXPECT_TRUE(reread.DHCPEnabled());
}

TEST(NetConfigNT, WritesRawMultiStrings) {
    RecordedMachine machine("nt4");
    netConfigNT net;
    net.loadConfiguration();
    net.IPAddress("");
    net.DefaultGateway("");
    machine.recorder().clear();
    net.applyConfiguration();
    const auto writes = machine.recorder().writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].type, win32::REG_MULTI_SZ);
    EXPECT_EQ(writes[0].data, raw("0.0.0.0\0\0"));
    EXPECT_EQ(writes[1].data, raw("\0\0"));
}

TEST(NetConfigNT, SwitchingWinsOffEmptiesTheServersAndScope) {
    RecordedMachine machine("nt4");
    netConfigNT net;
    net.loadConfiguration();
    net.ScopeID("corp");
    net.WINSEnabled(false);
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(), (Strings{"NameServer=", "NameServerBackup=", "ScopeID="}));
    EXPECT_EQ(readText(kCardNetBt, "NameServer"), "");
    EXPECT_EQ(readText(kCardNetBt, "NameServerBackup"), "");
    EXPECT_EQ(net.WINSServer1(), "10.20.0.12");

    net.WINSEnabled(true);
    net.applyConfiguration();
    EXPECT_EQ(readText(kCardNetBt, "NameServer"), "10.20.0.12");
    EXPECT_EQ(readText(kNetBt, "ScopeID"), "corp");
}

TEST(NetConfigNT, WritesOnlyFlaggedSettingsInTheFixedOrder) {
    RecordedMachine machine("nt4");
    netConfigNT net;
    net.loadConfiguration();
    net.applyConfiguration();
    EXPECT_TRUE(machine.recorder().allWrites().empty());

    net.Workgroup("ELSEWHERE");
    net.NTLogonEnabled(true);
    net.NTDomain("OTHER");
    net.LMHostFile("C:\\LMHOSTS");
    net.applyConfiguration();
    EXPECT_TRUE(machine.recorder().allWrites().empty());
    EXPECT_FALSE(net.isChanged(netConfig::Flag::Workgroup));

    net.DefaultGateway("10.20.0.254");
    net.DHCPEnabled(true);
    net.DNSEnabled(false);
    net.Host("hlws099");
    net.DomainName("example.org");
    net.ComputerName("HLWS099");
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(),
              (Strings{"ComputerName=HLWS099", "Domain=example.org", "Hostname=hlws099",
                       "EnableDNS", "EnableDHCP", "DefaultGateway"}));
}

// With every setting changed at once the writes follow the whole fixed order, and the
// workgroup, logon and logon domain are left out.
TEST(NetConfigNT, WritesEverySettingInTheFixedOrder) {
    RecordedMachine machine("nt4");
    netConfigNT net;
    net.loadConfiguration();
    net.DefaultGateway("192.168.7.1");
    net.DefaultPrinter(net.printerList()->front());
    net.NTDomain("HOMEDOM");
    net.NTLogonEnabled(true);
    net.DHCPEnabled(false);
    net.DNSEnabled(true);
    net.SearchList("home.example,example");
    net.ScopeID("HOMESCOPE");
    net.WINSServer2("192.168.7.5");
    net.WINSServer1("192.168.7.4");
    net.WINSEnabled(true);
    net.DNSServers("192.168.7.2,192.168.7.3");
    net.LMHostFile("C:\\LMHOSTS");
    net.IPMask("255.255.255.0");
    net.IPAddress("192.168.7.50");
    net.Host("roamer");
    net.DomainName("home.example");
    net.Workgroup("HOMENET");
    net.ComputerName("ROAMER");
    machine.recorder().clear();
    net.applyConfiguration();
    EXPECT_EQ(machine.changes(),
              (Strings{"ComputerName=ROAMER", "Domain=home.example", "Hostname=roamer",
                       "IPAddress", "SubnetMask", "NameServer=192.168.7.2 192.168.7.3",
                       "NameServer=192.168.7.4", "NameServerBackup=192.168.7.5",
                       "ScopeID=HOMESCOPE", "SearchList=home.example example", "EnableDNS",
                       "EnableDHCP", "DefaultGateway"}));
    for (std::size_t i = 0; i < netConfig::FlagCount; ++i) {
        EXPECT_FALSE(net.isChanged(static_cast<netConfig::Flag>(i))) << i;
    }
}

TEST(NetConfigNT, SwitchesCardsWithAndWithoutReReading) {
    testsupport::TestMachine machine("nt4");
    addSecondCard();
    netConfigNT net;
    net.loadConfiguration();
    ASSERT_EQ(net.AdapterList()->size(), 2u);

    net.CurrentAdapterNoRefresh(1);
    EXPECT_EQ(net.IPAddress(), "10.20.1.57");
    net.CurrentAdapter(0);
    net.CurrentAdapter(1);
    EXPECT_EQ(net.IPAddress(), "172.16.0.5,172.16.0.6");
    EXPECT_EQ(net.IPMask(), "255.255.0.0,255.255.0.0");
    EXPECT_EQ(net.DefaultGateway(), "10.20.0.1");  // missing on the card: kept
    EXPECT_TRUE(net.DHCPEnabled());
    EXPECT_FALSE(net.WINSEnabled());
    net.CurrentAdapter(2);
    EXPECT_EQ(net.CurrentAdapter(), 1);
}

}  // namespace
