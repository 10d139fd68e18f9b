#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "browser/NNConfig.h"
#include "browser/frmNetscape.h"
#include "platform/Win32.h"
#include "settings/SettingsStore.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using browsertest::readBytes;
using browsertest::setString;
using browsertest::writeBytes;
using testsupport::press;
using testsupport::setCheck;
using testing::Contains;
using testing::Not;

const std::string kTemplatePrefs = "C:\\Program Files\\Netscape\\Users\\jmorgan\\prefs.js";
const std::string kProfileUsers =
    "\\HKEY_LOCAL_MACHINE\\Software\\Netscape\\Netscape Navigator\\Users";
const std::string kBiff = "\\HKEY_CURRENT_USER\\Software\\Netscape\\Netscape Navigator\\biff";

std::string warningSetting() {
    return SettingsStore().GetSetting(kAppName, "Options", "NavigatorWarning", "missing");
}

class NNConfigTest : public testing::Test {
  protected:
    std::filesystem::path prefsPath() const { return platform::files().toNative(kTemplatePrefs); }
    void writePrefs(const std::string& contents) { writeBytes(prefsPath(), contents); }
    std::string prefsText() const { return readBytes(prefsPath()); }
    std::vector<std::string> prefsLines() const {
        std::vector<std::string> lines;
        std::istringstream in(prefsText());
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    // Removes the Navigator 4 profile registry, leaving no way to find prefs.js.
    void forgetProfiles() { browsertest::deleteValue(kProfileUsers, "CurrentUser"); }

    testsupport::TestMachine machine_{"win98"};
};

TEST_F(NNConfigTest, FindsPrefsThroughTheProfileRegistry) {
    NNConfig navigator;
    EXPECT_EQ(navigator.prefsFilePath(), kTemplatePrefs);
    EXPECT_EQ(navigator.status(), 0);
    EXPECT_EQ(machine_.ui().timesShown("frmNetscape"), 0);

    navigator.loadConfiguration();
    EXPECT_EQ(navigator.HTTPAddress(), "proxy.harbourline.com");
    EXPECT_EQ(navigator.SecurePort(), "8443");
    EXPECT_EQ(navigator.SocksAddress(), "socks.harbourline.com");
    EXPECT_EQ(navigator.SocksPort(), "1080");
    EXPECT_EQ(navigator.WAISAddress(), "");
    EXPECT_EQ(navigator.ProxyExceptions(), "harbourline.com, localhost");
    EXPECT_TRUE(navigator.ProxyEnabled());
    EXPECT_FALSE(navigator.ConnectViaLAN());
    EXPECT_FALSE(navigator.DUNList().has_value());
    navigator.CurrentDUN("x");
    EXPECT_EQ(navigator.CurrentDUN(), "");
}

TEST_F(NNConfigTest, AProfileWithoutDirRootGivesNoPath) {
    setString(kProfileUsers, "CurrentUser", "ghost");
    machine_.ui().queueDialog(setCheck("chkWarning", 1, press("cmdOK")));
    NNConfig navigator;
    EXPECT_EQ(navigator.prefsFilePath(), "");
    EXPECT_EQ(navigator.status(), 1);
}

TEST_F(NNConfigTest, FindsPrefsThroughTheOlderPerUserKeys) {
    forgetProfiles();
    setString(kBiff, "CurrentUser", "User One");
    setString(kBiff + "\\Users\\User One", "defaultServer", "pop.example.com");
    setString(kBiff + "\\Users\\User One\\servers\\pop.example.com", "popstatePath",
              "C:\\Nav\\Users\\user_one\\mail");
    writeBytes(platform::files().toNative("C:\\Nav\\Users\\user_one\\prefs.js"),
               "user_pref(\"network.proxy.http\", \"old\");\r\n");

    NNConfig navigator;
    EXPECT_EQ(navigator.prefsFilePath(), "c:\\nav\\users\\user_one\\prefs.js");
    navigator.loadConfiguration();
    EXPECT_EQ(navigator.HTTPAddress(), "old");
    EXPECT_TRUE(navigator.ConnectViaLAN());
}

TEST_F(NNConfigTest, OlderKeysFindTheProfileFolderPastAnEarlierMatchOfItsName) {
    forgetProfiles();
    setString(kBiff, "CurrentUser", "Fil");
    setString(kBiff + "\\Users\\Fil", "defaultServer", "pop");
    setString(kBiff + "\\Users\\Fil\\servers\\pop", "popstatePath",
              "C:\\Program Files\\Netscape\\Users\\fil\\mail");
    writeBytes(platform::files().toNative("C:\\Program Files\\Netscape\\Users\\fil\\prefs.js"),
               "// prefs\r\n");

    NNConfig navigator;
    EXPECT_EQ(navigator.prefsFilePath(), "c:\\program files\\netscape\\users\\fil\\prefs.js");
    EXPECT_EQ(navigator.status(), 0);
}

TEST_F(NNConfigTest, OlderKeysNotLeadingToAFileGiveNoPath) {
    forgetProfiles();
    setString(kBiff, "CurrentUser", "user one");
    setString(kBiff + "\\Users\\user one", "defaultServer", "pop");
    setString(kBiff + "\\Users\\user one\\servers\\pop", "popstatePath", "C:\\Mail\\inbox");
    SettingsStore().SaveSetting(kAppName, "Options", "NavigatorWarning", "1");
    EXPECT_EQ(NNConfig().prefsFilePath(), "") << "the mail folder is outside the profile";

    setString(kBiff + "\\Users\\user one\\servers\\pop", "popstatePath",
              "C:\\Nav\\Users\\user_one\\mail");
    EXPECT_EQ(NNConfig().prefsFilePath(), "") << "no prefs.js in the profile folder";
}

TEST_F(NNConfigTest, MissingPrefsWarnUntilTheUserTicksTheBox) {
    forgetProfiles();
    machine_.ui().mousePointer(platform::MousePointer::Hourglass);

    NNConfig closed;
    EXPECT_EQ(closed.status(), 1);
    EXPECT_EQ(machine_.ui().timesShown("frmNetscape"), 1);
    EXPECT_EQ(warningSetting(), "missing") << "closing the dialog stores nothing";
    EXPECT_EQ(machine_.ui().mousePointer(), platform::MousePointer::Hourglass);
    EXPECT_THAT(machine_.ui().pointerHistory(), Contains(platform::MousePointer::Default));

    machine_.ui().queueDialog(press("cmdOK"));
    EXPECT_EQ(NNConfig().status(), 1);
    EXPECT_EQ(warningSetting(), "0");

    machine_.ui().queueDialog(setCheck("chkWarning", 1, press("cmdOK")));
    EXPECT_EQ(NNConfig().status(), 1);
    EXPECT_EQ(warningSetting(), "1");

    NNConfig quiet;
    EXPECT_EQ(quiet.status(), 0);
    EXPECT_EQ(machine_.ui().timesShown("frmNetscape"), 3);

    quiet.HTTPAddress("kept");
    quiet.loadConfiguration();
    quiet.applyConfiguration();
    EXPECT_EQ(quiet.HTTPAddress(), "kept");
}

TEST_F(NNConfigTest, TheWarningShowsItsTextsUnderTheNormalPointer) {
    forgetProfiles();
    machine_.ui().mousePointer(platform::MousePointer::Hourglass);
    std::vector<std::string> shown;
    platform::MousePointer pointerWhileShown = platform::MousePointer::Hourglass;
    machine_.ui().queueDialog([&](forms::Form& form) {
        auto& warning = dynamic_cast<frmNetscape&>(form);
        pointerWhileShown = machine_.ui().mousePointer();
        shown = {warning.Caption(),          warning.lblMessage.Caption(),
                 warning.chkWarning.Caption(), warning.chkWarning.ToolTipText(),
                 warning.cmdOK.Caption(),      warning.cmdOK.ToolTipText()};
    });
    NNConfig navigator;

    EXPECT_EQ(pointerWhileShown, platform::MousePointer::Default);
    EXPECT_EQ(machine_.ui().mousePointer(), platform::MousePointer::Hourglass);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Warning...",
                         "Your Netscape Navigator preference file could not be located. Check "
                         "your default user profile.",
                         "&Do not display this warning again",
                         "Check this box if you don't want to see this warning again", "OK",
                         "Close this dialog"}));
}

TEST_F(NNConfigTest, ReadsTheConnectionMode) {
    struct Case {
        std::string typeLine;
        bool lan;
        bool manual;
    };
    const Case cases[] = {{"", true, false},
                          {"user_pref(\"network.proxy.type\", 1);\r\n", false, true},
                          {"user_pref(\"network.proxy.type\", 2);\r\n", false, false},
                          {"user_pref(\"network.proxy.type\", 0);\r\n", false, false},
                          {"user_pref(\"network.proxy.type\", \"\");\r\n", true, false}};
    for (const Case& c : cases) {
        writePrefs("// prefs\r\n" + c.typeLine + "user_pref(\"a\", 1);\r\n");
        NNConfig navigator;
        navigator.loadConfiguration();
        EXPECT_EQ(navigator.ConnectViaLAN(), c.lan) << c.typeLine;
        EXPECT_EQ(navigator.ProxyEnabled(), c.manual) << c.typeLine;
    }
}

TEST_F(NNConfigTest, WritesTheConnectionMode) {
    const std::string typeLine = "user_pref(\"network.proxy.type\", ";
    NNConfig navigator;
    navigator.AutoConfigURL("http://wpad/proxy.pac");

    navigator.ConnectViaLAN(true);
    navigator.ProxyEnabled(false);
    navigator.applyConfiguration();
    for (const std::string& line : prefsLines()) EXPECT_FALSE(line.starts_with(typeLine)) << line;
    EXPECT_THAT(prefsLines(), Contains("user_pref(\"network.proxy.autoconfig_url\", "
                                       "\"http://wpad/proxy.pac\");"));

    navigator.ConnectViaLAN(false);
    navigator.applyConfiguration();
    EXPECT_THAT(prefsLines(), Contains(typeLine + "2);"));

    navigator.ProxyEnabled(true);
    navigator.ConnectViaLAN(true);
    navigator.applyConfiguration();
    EXPECT_THAT(prefsLines(), Contains(typeLine + "1);"));
    EXPECT_THAT(prefsLines(), Not(Contains(typeLine + "2);")));

    navigator.loadConfiguration();
    EXPECT_TRUE(navigator.ProxyEnabled());
    EXPECT_FALSE(navigator.ConnectViaLAN());
}

TEST_F(NNConfigTest, ApplyWritesAllTwelveProxyLinesAndPortsAsNumbers) {
    writePrefs("// prefs\r\nuser_pref(\"z\", 1);\r\n");
    NNConfig navigator;
    navigator.HTTPAddress("web");
    navigator.HTTPPort("8080");
    navigator.SocksPort("65535");
    navigator.WAISAddress("wais");
    navigator.WAISPort(" 0210");
    navigator.applyConfiguration();

    const auto lines = prefsLines();
    EXPECT_EQ(lines.size(), 2u + 12 + 2 + 1);
    EXPECT_EQ(lines.back(), "user_pref(\"z\", 1);");
    // Each new line goes before the last one, so the file shows the order of the writes.
    std::vector<std::string> written;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const auto open = lines[i].find('"');
        written.push_back(lines[i].substr(open + 1, lines[i].find('"', open + 1) - open - 1));
    }
    EXPECT_EQ(written,
              (std::vector<std::string>{
                  "network.proxy.http", "network.proxy.http_port", "network.proxy.ftp",
                  "network.proxy.ftp_port", "network.proxy.gopher", "network.proxy.gopher_port",
                  "network.proxy.ssl", "network.proxy.ssl_port", "network.hosts.socks_server",
                  "network.hosts.socks_serverport", "network.proxy.wais", "network.proxy.wais_port",
                  "network.proxy.no_proxies_on", "network.proxy.type",
                  "network.proxy.autoconfig_url"}));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.http_port\", 8080);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.ftp\", \"\");"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.ftp_port\", 0);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.hosts.socks_serverport\", 65535);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.wais_port\", 210);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.no_proxies_on\", \"\");"));
    EXPECT_TRUE(machine_.ui().messages().empty());

    NNConfig reloaded;
    reloaded.loadConfiguration();
    EXPECT_EQ(reloaded.FTPPort(), "0");
    EXPECT_EQ(reloaded.WAISAddress(), "wais");
    EXPECT_EQ(reloaded.SocksPort(), "65535");
}

TEST_F(NNConfigTest, APortThatIsNoNumberLeavesItsLineAndIsReportedOnce) {
    NNConfig navigator;
    navigator.loadConfiguration();
    navigator.HTTPPort("80a");
    navigator.FTPPort("70000");
    navigator.GopherPort("-1");
    navigator.HTTPAddress("changed");
    navigator.applyConfiguration();

    ASSERT_EQ(machine_.ui().messages().size(), 3u);
    const auto& message = machine_.ui().messages().front();
    EXPECT_EQ(message.text, "Error writing Navigator preferences");
    EXPECT_EQ(message.icon, platform::MsgBoxIcon::Exclamation);
    EXPECT_EQ(message.caption, "Roamwise");
    const auto lines = prefsLines();
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.http_port\", 8080);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.ftp_port\", 8080);"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.http\", \"changed\");"));
    EXPECT_THAT(lines, Contains("user_pref(\"network.proxy.ssl_port\", 8443);"));
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

TEST_F(NNConfigTest, FileSectionRoundTrip) {
    testsupport::TempFolder temp;
    const std::string file = (temp.path() / "home.rmw").string();
    NNConfig saved;
    saved.ProxyEnabled(true);
    saved.ConnectViaLAN(true);
    saved.AutoConfigURL("http://wpad/p.pac");
    saved.ProxyExceptions("localhost, .example.com");
    saved.HTTPAddress("web");
    saved.HTTPPort("80");
    saved.FTPAddress("ftp");
    saved.FTPPort("21");
    saved.GopherAddress("g");
    saved.GopherPort("70");
    saved.SecureAddress("s");
    saved.SecurePort("443");
    saved.SocksAddress("k");
    saved.SocksPort("1080");
    saved.WAISAddress("w");
    saved.WAISPort("210");
    saved.saveConfigurationFile(file);
    EXPECT_EQ(fileKeys(file),
              (std::vector<std::string>{
                  "NNPROXYENABLE", "NNDIRECTCONNECTION", "NNAUTOCONFIGURL", "NNPROXYOVERRIDE",
                  "NNHTTPADDRESS", "NNHTTPPORT", "NNFTPADDRESS", "NNFTPPORT", "NNGOPHERADDRESS",
                  "NNGOPHERPORT", "NNSSLADDRESS", "NNSSLPORT", "NNSOCKSADDRESS", "NNSOCKSPORT",
                  "NNWAISADDRESS", "NNWAISPORT"}));
    EXPECT_EQ(win32::GetPrivateProfileStringA("Netscape Navigator", "NNSSLADDRESS", "", file), "s");
    EXPECT_EQ(win32::GetPrivateProfileStringA("Netscape Navigator", "NNDIRECTCONNECTION", "", file),
              "1");

    NNConfig loaded;
    loaded.loadConfigurationFile(file);
    using Getter = std::string (browserConfig::*)() const;
    const Getter getters[] = {&browserConfig::AutoConfigURL, &browserConfig::ProxyExceptions,
                              &browserConfig::HTTPAddress,   &browserConfig::HTTPPort,
                              &browserConfig::FTPAddress,    &browserConfig::FTPPort,
                              &browserConfig::GopherAddress, &browserConfig::GopherPort,
                              &browserConfig::SecureAddress, &browserConfig::SecurePort,
                              &browserConfig::SocksAddress,  &browserConfig::SocksPort,
                              &browserConfig::WAISAddress,   &browserConfig::WAISPort};
    for (Getter getter : getters) {
        EXPECT_EQ((loaded.*getter)(), (saved.*getter)());
    }
    EXPECT_TRUE(loaded.ProxyEnabled());
    EXPECT_TRUE(loaded.ConnectViaLAN());
    loaded.applyConfiguration();
    EXPECT_THAT(prefsLines(), Contains("user_pref(\"network.proxy.type\", 1);"));

    NNConfig empty;
    empty.ProxyEnabled(true);
    empty.HTTPAddress("x");
    empty.loadConfigurationFile((temp.path() / "missing.rmw").string());
    EXPECT_TRUE(empty.ProxyEnabled()) << "a missing key leaves its setting";
    EXPECT_EQ(empty.HTTPAddress(), "x");
}

}  // namespace
