#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "browser/IEConfig.h"
#include "platform/Win32.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using browsertest::readValue;
using browsertest::setBinary;
using browsertest::setString;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

const std::string kSettings =
    "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kRemoteAccess = "\\HKEY_CURRENT_USER\\RemoteAccess";

struct Proxy {
    std::string address;
    std::string port;
    bool operator==(const Proxy&) const = default;
};

struct Proxies {
    Proxy http, ftp, gopher, secure, socks;
    bool operator==(const Proxies&) const = default;
};

Proxies proxiesOf(const IEConfig& ie) {
    return {{ie.HTTPAddress(), ie.HTTPPort()},
            {ie.FTPAddress(), ie.FTPPort()},
            {ie.GopherAddress(), ie.GopherPort()},
            {ie.SecureAddress(), ie.SecurePort()},
            {ie.SocksAddress(), ie.SocksPort()}};
}

void setProxies(IEConfig& ie, const Proxies& p) {
    ie.HTTPAddress(p.http.address);
    ie.HTTPPort(p.http.port);
    ie.FTPAddress(p.ftp.address);
    ie.FTPPort(p.ftp.port);
    ie.GopherAddress(p.gopher.address);
    ie.GopherPort(p.gopher.port);
    ie.SecureAddress(p.secure.address);
    ie.SecurePort(p.secure.port);
    ie.SocksAddress(p.socks.address);
    ie.SocksPort(p.socks.port);
}

std::ostream& operator<<(std::ostream& out, const Proxies& p) {
    for (const Proxy* proxy : {&p.http, &p.ftp, &p.gopher, &p.secure, &p.socks}) {
        out << "[" << proxy->address << "|" << proxy->port << "]";
    }
    return out;
}

class IEConfigTest : public testing::Test {
  protected:
    // Reads "ProxyServer" = SERVER into a backend whose SOCKS proxy was already set.
    IEConfig& readServer(const std::string& server) {
        setString(kSettings, "ProxyServer", server);
        ie_.SocksAddress("keep");
        ie_.SocksPort("1");
        ie_.getProxyAddresses();
        return ie_;
    }
    std::string writtenServer() {
        ie_.setProxyAddresses();
        return readValue(kSettings, "ProxyServer").text;
    }

    testsupport::TestMachine machine_{"win98"};
    IEConfig ie_;
};

TEST_F(IEConfigTest, OneServerForAllProtocolsLeavesSocksAlone) {
    readServer("web:8080");
    EXPECT_TRUE(ie_.UseSameProxy());
    EXPECT_EQ(
        proxiesOf(ie_),
        (Proxies{
            {"web", "8080"}, {"web", "8080"}, {"web", "8080"}, {"web", "8080"}, {"keep", "1"}}));
}

TEST_F(IEConfigTest, ParsesProtocolEntries) {
    readServer("http=web:80;ftp=files:21");
    EXPECT_FALSE(ie_.UseSameProxy());
    EXPECT_EQ(proxiesOf(ie_),
              (Proxies{{"web", "80"}, {"files", "21"}, {"", ""}, {"", ""}, {"", ""}}))
        << "a list of protocols without SOCKS has no SOCKS proxy";

    readServer("ftp=ftp://files:21");
    EXPECT_EQ(ie_.FTPAddress(), "ftp://files");
    EXPECT_EQ(ie_.FTPPort(), "21");
    readServer("ftp=files");
    EXPECT_EQ(ie_.FTPAddress(), "files");
    EXPECT_EQ(ie_.FTPPort(), "");
    readServer("HTTPS=ftp://secure;socks=s:1080;mail=m:25");
    EXPECT_EQ(ie_.SecureAddress(), "ftp://secure");
    EXPECT_EQ(ie_.SecurePort(), "");
    EXPECT_EQ(ie_.SocksAddress(), "s");
    EXPECT_EQ(ie_.SocksPort(), "1080");
    EXPECT_EQ(ie_.HTTPAddress(), "");
}

TEST_F(IEConfigTest, StopsAtTheFirstEmptyEntry) {
    readServer("gopher=g:70;;http=web:80");
    EXPECT_EQ(proxiesOf(ie_), (Proxies{{"", ""}, {"", ""}, {"g", "70"}, {"", ""}, {"", ""}}));
}

TEST_F(IEConfigTest, EmptyOrMissingServerClearsTheFourProxies) {
    setProxies(ie_, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    ie_.UseSameProxy(true);
    readServer("  ");
    EXPECT_FALSE(ie_.UseSameProxy());
    EXPECT_EQ(proxiesOf(ie_), (Proxies{{}, {}, {}, {}, {}}));

    browsertest::deleteValue(kSettings, "ProxyServer");
    ie_.HTTPAddress("stays");
    ie_.getProxyAddresses();
    EXPECT_EQ(ie_.HTTPAddress(), "stays");
}

TEST_F(IEConfigTest, ComposesTheServerString) {
    ie_.UseSameProxy(true);
    ie_.HTTPAddress("web");
    EXPECT_EQ(writtenServer(), "web:");
    ie_.UseSameProxy(false);
    ie_.HTTPAddress("");
    EXPECT_EQ(writtenServer(), "");
    setProxies(ie_, {{"web", ""}, {"files", "21"}, {" ", "70"}, {}, {}});
    EXPECT_EQ(writtenServer(), "ftp=files:21;http=web");
    setProxies(ie_, {{"w", " "}, {}, {"g", "70"}, {"s", "443"}, {"k", "1080"}});
    EXPECT_EQ(writtenServer(), "gopher=g:70;http=w;https=s:443;socks=k:1080");
}

TEST_F(IEConfigTest, EveryCombinationOfProxiesSurvivesComposingAndParsing) {
    for (int filled = 0; filled < 32; ++filled) {
        for (bool withPorts : {true, false}) {
            auto proxy = [&](int bit, const char* address, const char* port) {
                if ((filled & (1 << bit)) == 0) return Proxy{};
                return Proxy{address, withPorts ? port : ""};
            };
            const Proxies wanted{proxy(0, "web", "80"), proxy(1, "ftp://files", "21"),
                                 proxy(2, "gopher.example", "70"), proxy(3, "10.0.0.1", "443"),
                                 proxy(4, "socks", "1080")};
            IEConfig writer;
            setProxies(writer, wanted);
            writer.setProxyAddresses();
            IEConfig reader;
            reader.getProxyAddresses();
            EXPECT_EQ(proxiesOf(reader), wanted) << readValue(kSettings, "ProxyServer").text;
            EXPECT_FALSE(reader.UseSameProxy());
        }
    }
}

TEST_F(IEConfigTest, BypassListAndLocalAddresses) {
    const std::pair<std::string, std::pair<std::string, bool>> cases[] = {
        {"a;b", {"a;b", false}},        {"a;b;<local>", {"a;b", true}}, {"<local>", {"", true}},
        {"a;<local>;b", {"a;b", true}}, {"<local>;b", {"b", true}},     {"", {"", false}},
    };
    for (const auto& [stored, expected] : cases) {
        setString(kSettings, "ProxyOverride", stored);
        ie_.getProxyExceptions();
        EXPECT_EQ(ie_.ProxyExceptions(), expected.first) << stored;
        EXPECT_EQ(ie_.IgnoreLocalAddresses(), expected.second) << stored;
    }
    browsertest::deleteValue(kSettings, "ProxyOverride");
    ie_.getProxyExceptions();
    EXPECT_FALSE(ie_.IgnoreLocalAddresses());
    EXPECT_EQ(ie_.ProxyExceptions(), "") << "kept from the previous read";

    ie_.ProxyExceptions("");
    ie_.IgnoreLocalAddresses(true);
    ie_.setProxyExceptions();
    EXPECT_EQ(readValue(kSettings, "ProxyOverride").text, ";<local>");
    ie_.IgnoreLocalAddresses(false);
    ie_.getProxyExceptions();
    EXPECT_EQ(ie_.ProxyExceptions(), "");
    EXPECT_TRUE(ie_.IgnoreLocalAddresses());
}

// Reading a server string or bypass list and composing it again reaches a fixed point
// in one pass, so loading and saving a file never keeps changing it.
TEST_F(IEConfigTest, ComposedStringsReadBackTheSame) {
    const std::pair<std::string, std::string> servers[] = {
        {"proxy//corp", "proxy//corp:"},
        {"http=a//b:80", "http=a//b:80"},
        {"ftp=ftp://files:21;http=web", "ftp=ftp://files:21;http=web"},
        {"web:", "web:"},
    };
    for (const auto& [server, composed] : servers) {
        ie_.setProxySettings(server);
        EXPECT_EQ(ie_.buildProxyServer(), composed) << server;
        ie_.setProxySettings(composed);
        EXPECT_EQ(ie_.buildProxyServer(), composed) << server;
    }
    ie_.setBypassList("localhost;<local><local>;*.corp");
    EXPECT_EQ(ie_.ProxyExceptions(), "localhost;*.corp");
    EXPECT_TRUE(ie_.IgnoreLocalAddresses());
    ie_.setBypassList(ie_.bypassList());
    EXPECT_EQ(ie_.ProxyExceptions(), "localhost;*.corp");
    EXPECT_TRUE(ie_.IgnoreLocalAddresses());
}

TEST_F(IEConfigTest, SwitchesAreReadFromTheirFirstByte) {
    setBinary(kSettings, "ProxyEnable", {1, 0, 0, 0});
    ie_.getProxyEnabled();
    EXPECT_TRUE(ie_.ProxyEnabled());
    browsertest::setDword(kSettings, "ProxyEnable", 1);
    ie_.getProxyEnabled();
    EXPECT_TRUE(ie_.ProxyEnabled());
    setBinary(kSettings, "ProxyEnable", {2, 0, 0, 0});
    ie_.getProxyEnabled();
    EXPECT_FALSE(ie_.ProxyEnabled());
    browsertest::setDword(kSettings, "ProxyEnable", 256);
    ie_.getProxyEnabled();
    EXPECT_FALSE(ie_.ProxyEnabled());
    setBinary(kSettings, "ProxyEnable", {});
    ie_.getProxyEnabled();
    EXPECT_FALSE(ie_.ProxyEnabled());

    setBinary(kSettings, "EnableAutoDial", {0, 0, 0, 0});
    ie_.getConnectViaLAN();
    EXPECT_TRUE(ie_.ConnectViaLAN());
    setBinary(kSettings, "EnableAutoDial", {1, 0, 0, 0});
    ie_.getConnectViaLAN();
    EXPECT_FALSE(ie_.ConnectViaLAN());
    browsertest::deleteValue(kSettings, "EnableAutoDial");
    ie_.ConnectViaLAN(true);
    ie_.getConnectViaLAN();
    EXPECT_FALSE(ie_.ConnectViaLAN());
}

TEST_F(IEConfigTest, ApplyWritesEveryValueInOrder) {
    const platform::Services original = machine_.services();
    testsupport::RecordingRegistry recorder(*original.registry);
    platform::Services recording = original;
    recording.registry = &recorder;
    machine_.install(recording);
    // The recorder goes before the machine does: put the real registry back first.
    struct Restore {
        testsupport::TestMachine& machine;
        const platform::Services& services;
        ~Restore() { machine.install(services); }
    } restore{machine_, original};
    IEConfig ie_;

    setProxies(ie_, {{"web", "80"}, {}, {}, {}, {}});
    ie_.ProxyEnabled(true);
    ie_.ConnectViaLAN(true);
    ie_.ProxyExceptions("intranet");
    ie_.IgnoreLocalAddresses(true);
    ie_.CurrentDUN("Office");
    ie_.AutoConfigURL("");
    ie_.applyConfiguration();

    EXPECT_THAT(recorder.writtenNames(),
                ElementsAre("ProxyServer", "ProxyEnable", "ProxyOverride", "EnableAutodial",
                            "InternetProfile", "AutoConfigURL"));
    const auto writes = recorder.writes();
    EXPECT_EQ(writes[1].type, win32::REG_BINARY);
    EXPECT_EQ(writes[1].data, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(writes[3].data, std::string(4, '\0'));
    EXPECT_EQ(writes[4].key, "HKEY_CURRENT_USER\\REMOTEACCESS");

    IEConfig reader;
    reader.loadConfiguration();
    EXPECT_EQ(reader.HTTPAddress(), "web");
    EXPECT_TRUE(reader.ProxyEnabled());
    EXPECT_TRUE(reader.ConnectViaLAN());
    EXPECT_EQ(reader.ProxyExceptions(), "intranet");
    EXPECT_TRUE(reader.IgnoreLocalAddresses());
    EXPECT_EQ(reader.CurrentDUN(), "Office");
    EXPECT_TRUE(readValue(kSettings, "AutoConfigURL").found);
}

TEST_F(IEConfigTest, LoadsTheTemplateMachine) {
    ie_.DefaultHomePage("x");
    ie_.loadConfiguration();
    EXPECT_TRUE(ie_.UseSameProxy());
    EXPECT_EQ(ie_.HTTPAddress(), "proxy.harbourline.com");
    EXPECT_EQ(ie_.SecurePort(), "8080");
    EXPECT_TRUE(ie_.ProxyEnabled());
    EXPECT_EQ(ie_.DefaultHomePage(), "");
    EXPECT_EQ(ie_.CurrentDUN(), "Harbourline Dial-In");
    ASSERT_TRUE(ie_.DUNList().has_value());
    EXPECT_THAT(*ie_.DUNList(), UnorderedElementsAre("Harbourline Dial-In", "Demon Internet"));
    EXPECT_EQ(ie_.status(), 0);
    EXPECT_TRUE(ie_.isInstalled());
}

TEST_F(IEConfigTest, DialUpListWithoutRemoteAccess) {
    browsertest::deleteKey(kRemoteAccess, "Profile\\Harbourline Dial-In");
    browsertest::deleteKey(kRemoteAccess, "Profile\\Demon Internet");
    browsertest::deleteKey(kRemoteAccess, "Profile");
    browsertest::deleteKey(kRemoteAccess, "Addresses");
    ie_.getDUNList();
    EXPECT_EQ(ie_.CurrentDUN(), "Harbourline Dial-In");
    EXPECT_THAT(*ie_.DUNList(), ElementsAre());
    browsertest::deleteKey("\\HKEY_CURRENT_USER", "RemoteAccess");
    ie_.getDUNList();
    EXPECT_EQ(ie_.CurrentDUN(), "");
}

TEST(IEConfigNTTest, DialUpListComesFromThePhoneBook) {
    testsupport::TestMachine machine("nt4");
    IEConfig ie;
    ie.getDUNList();
    EXPECT_THAT(*ie.DUNList(), ElementsAre("Harbourline Dial-In", "Demon Internet"));

    const std::string phoneBook = win32::GetSystemDirectoryA() + "\\ras\\rasphone.pbk";
    ASSERT_TRUE(platform::files().writeWholeFile(phoneBook,
                                                 "[Office]\r\nPhoneNumber=555\r\n\r\n"
                                                 "[Home ISP]\nDevice=modem\n[x]\r"));
    ie.getDUNList();
    EXPECT_THAT(*ie.DUNList(), ElementsAre("Office", "Home ISP", "x"));

    ASSERT_TRUE(platform::files().deleteFile(phoneBook));
    ie.getDUNList();
    EXPECT_THAT(*ie.DUNList(), ElementsAre());
}

// The key names of a configuration file's lines, in file order.
std::vector<std::string> fileKeys(const std::string& file) {
    std::vector<std::string> keys;
    std::istringstream lines(browsertest::readBytes(file));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) keys.push_back(line.substr(0, equals));
    }
    return keys;
}

TEST_F(IEConfigTest, FileSectionRoundTrip) {
    testsupport::TempFolder temp;
    const std::string file = (temp.path() / "office.rmw").string();
    setProxies(ie_, {{"web", "80"}, {"files", ""}, {}, {"secure", "443"}, {"socks", "1080"}});
    ie_.CurrentDUN("Office Dial-In");
    ie_.ProxyEnabled(true);
    ie_.ConnectViaLAN(true);
    ie_.AutoConfigURL("http://wpad/proxy.pac");
    ie_.ProxyExceptions("*.local;10.*");
    ie_.IgnoreLocalAddresses(true);
    ie_.WAISAddress("wais");
    ie_.saveConfigurationFile(file);

    EXPECT_EQ(fileKeys(file),
              (std::vector<std::string>{"ProxyServer", "DialupISP", "ProxyEnable",
                                        "EnableAutoDial", "AutoConfigURL", "ProxyOverride"}));
    EXPECT_EQ(win32::GetPrivateProfileStringA("Internet Explorer", "ProxyServer", "", file),
              "ftp=files;http=web:80;https=secure:443;socks=socks:1080");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Internet Explorer", "EnableAutoDial", "", file),
              "0");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Internet Explorer", "ProxyOverride", "", file),
              "*.local;10.*;<local>");

    IEConfig loaded;
    loaded.loadConfigurationFile(file);
    EXPECT_EQ(proxiesOf(loaded), proxiesOf(ie_));
    EXPECT_EQ(loaded.CurrentDUN(), "Office Dial-In");
    EXPECT_TRUE(loaded.ProxyEnabled());
    EXPECT_TRUE(loaded.ConnectViaLAN());
    EXPECT_EQ(loaded.AutoConfigURL(), "http://wpad/proxy.pac");
    EXPECT_EQ(loaded.ProxyExceptions(), "*.local;10.*");
    EXPECT_TRUE(loaded.IgnoreLocalAddresses());
    EXPECT_EQ(loaded.WAISAddress(), "") << "WAIS is not kept for Internet Explorer";
}

TEST_F(IEConfigTest, FileSectionMissingOrOddValues) {
    testsupport::TempFolder temp;
    const std::string file = (temp.path() / "odd.rmw").string();
    win32::WritePrivateProfileStringA("Internet Explorer", "ProxyEnable", std::string("yes"), file);
    setProxies(ie_, {{"web", "80"}, {"f", "1"}, {}, {}, {"socks", "1080"}});
    ie_.UseSameProxy(true);
    ie_.ConnectViaLAN(true);
    ie_.IgnoreLocalAddresses(true);
    ie_.loadConfigurationFile(file);
    EXPECT_FALSE(ie_.ProxyEnabled()) << "only \"1\" is on";
    // Keys the file does not have leave their settings as they were.
    EXPECT_TRUE(ie_.ConnectViaLAN());
    EXPECT_TRUE(ie_.IgnoreLocalAddresses());
    EXPECT_EQ(ie_.HTTPAddress(), "web");
    EXPECT_EQ(ie_.SocksAddress(), "socks");
}

}  // namespace
