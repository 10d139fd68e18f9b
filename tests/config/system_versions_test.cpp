// The platform test and the browser versions, and the backends the document makes from
// them: the 3.0 and 4.0 thresholds, missing and unreadable values, a backend that says
// it is unusable, and a platform Roamwise does not support.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "config/RmwConfig.h"
#include "config/SystemVersions.h"
#include "config/UnsupportedPlatform.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using configtest::deleteRegistryValue;
using configtest::setRegistryText;
using platform::MsgBoxIcon;

constexpr const char* kInternetSettings =
    "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kNavigator = "\\HKEY_LOCAL_MACHINE\\Software\\Netscape\\Netscape Navigator";

class SystemVersionsTest : public ::testing::Test {
  protected:
    void userAgent(const std::string& text) {
        setRegistryText(kInternetSettings, "User Agent", text);
    }
    void navigatorVersion(const std::string& text) {
        setRegistryText(kNavigator, "CurrentVersion", text);
    }

    testsupport::TestMachine machine_{"win98"};
};

TEST_F(SystemVersionsTest, ExplorerVersionComesFromTheUserAgent) {
    EXPECT_FLOAT_EQ(getIEVersion(), 5.0f);  // the template's "MSIE 5.0;"
    userAgent("Mozilla/4.0 (compatible; MSIE 4.01; Windows 95)");
    EXPECT_FLOAT_EQ(getIEVersion(), 4.01f);
    userAgent("Mozilla/2.0 (compatible; MSIE 3.02; Windows 95)");
    EXPECT_FLOAT_EQ(getIEVersion(), 3.02f);
    userAgent("Mozilla/4.0 (compatible; MSIE 5.5b1; Windows 98)");
    EXPECT_FLOAT_EQ(getIEVersion(), 5.5f);
    userAgent("Mozilla/4.0 (compatible; msie 5.0; Windows 98)");  // the marker is case-sensitive
    EXPECT_EQ(getIEVersion(), 0.0f);
    userAgent("Mozilla/3.01 (Win95; I)");
    EXPECT_EQ(getIEVersion(), 0.0f);
    deleteRegistryValue(kInternetSettings, "User Agent");
    EXPECT_EQ(getIEVersion(), 0.0f);
    EXPECT_TRUE(machine_.ui().messages().empty());
}

TEST_F(SystemVersionsTest, AnExplorerUserAgentWithoutSemicolonIsReported) {
    userAgent("Mozilla/4.0 (compatible, MSIE 5.0, Windows 98)");
    EXPECT_EQ(getIEVersion(), 0.0f);
    ASSERT_EQ(machine_.ui().messages().size(), 1u);
    const auto& message = machine_.ui().messages()[0];
    EXPECT_EQ(message.text, "Error retrieving Internet Explorer version information");
    EXPECT_EQ(message.icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(message.caption, "Roamwise");
}

TEST_F(SystemVersionsTest, NavigatorVersionIsTheValueBeforeItsFirstBlank) {
    EXPECT_FLOAT_EQ(getNNVersion(), 4.7f);  // the template's "4.7 (en)"
    const std::vector<std::pair<std::string, float>> cases = {
        {"4.0 (en)", 4.0f}, {"4.05 (en)", 4.05f}, {"4.5 (en)", 4.5f},
        {"4.61", 4.61f},    {"(en) 4.5", 0.0f},   {"", 0.0f},
    };
    for (const auto& [text, version] : cases) {
        navigatorVersion(text);
        EXPECT_FLOAT_EQ(getNNVersion(), version) << "CurrentVersion \"" << text << "\"";
    }
    deleteRegistryValue(kNavigator, "CurrentVersion");
    EXPECT_EQ(getNNVersion(), 0.0f);
    EXPECT_TRUE(machine_.ui().messages().empty());
}

TEST(LeadingNumberTest, DigitsWithAtMostOneDecimalPoint) {
    EXPECT_FLOAT_EQ(leadingNumber("4.01"), 4.01f);
    EXPECT_FLOAT_EQ(leadingNumber("  5.5"), 5.5f);
    EXPECT_FLOAT_EQ(leadingNumber("4.0.1"), 4.0f);
    EXPECT_FLOAT_EQ(leadingNumber(".5"), 0.5f);
    EXPECT_FLOAT_EQ(leadingNumber("6b"), 6.0f);
    EXPECT_EQ(leadingNumber("."), 0.0f);
    EXPECT_EQ(leadingNumber("b6"), 0.0f);
    EXPECT_EQ(leadingNumber(""), 0.0f);
}

TEST_F(SystemVersionsTest, BrowsersAtOrBelowTheThresholdsCountAsAbsent) {
    struct Case {
        std::string userAgent;
        std::string navigator;
        bool explorer;
        bool navigatorPresent;
    };
    const std::vector<Case> cases = {
        {"Mozilla/2.0 (compatible; MSIE 3.0; Windows 95)", "4.0 (en)", false, false},
        {"Mozilla/2.0 (compatible; MSIE 3.02; Windows 95)", "4.05 (en)", true, true},
        {"Mozilla/4.0 (compatible; MSIE 2.0; Windows 95)", "4.5 (en)", false, true},
        {"Mozilla/4.0 (compatible; MSIE 5.0; Windows 98)", "3.04 (en)", true, false},
    };
    for (const auto& c : cases) {
        userAgent(c.userAgent);
        navigatorVersion(c.navigator);
        RmwConfig document;
        EXPECT_EQ(document.IEInstalled(), c.explorer) << c.userAgent;
        EXPECT_EQ(document.getIEConfig() != nullptr, c.explorer) << c.userAgent;
        EXPECT_EQ(document.NNInstalled(), c.navigatorPresent) << c.navigator;
        EXPECT_EQ(document.getNNConfig() != nullptr, c.navigatorPresent) << c.navigator;
        // The switches start on whatever is installed.
        EXPECT_TRUE(document.ApplyGeneral() && document.ApplyIE() && document.ApplyNN());
    }
}

TEST_F(SystemVersionsTest, ANavigatorBackendThatIsNotUsableIsDropped) {
    std::filesystem::remove(machine_.machine().driveC() / "Program Files" / "Netscape" / "Users" /
                            "jmorgan" / "prefs.js");
    RmwConfig document;
    EXPECT_FALSE(document.NNInstalled());
    EXPECT_EQ(document.getNNConfig(), nullptr);
    EXPECT_TRUE(document.IEInstalled());
}

TEST(SystemPlatformTest, EachTemplateGetsItsNetworkBackend) {
    {
        testsupport::TestMachine machine("win98");
        EXPECT_EQ(getOSPlatform(), "95");
        RmwConfig document;
        EXPECT_TRUE(document.IEInstalled());
        EXPECT_TRUE(document.NNInstalled());
        EXPECT_EQ(document.confFile(), "");
    }
    {
        testsupport::TestMachine machine("nt4");
        EXPECT_EQ(getOSPlatform(), "NT");
        RmwConfig document;
        EXPECT_TRUE(document.IEInstalled());  // MSIE 4.01
        EXPECT_FALSE(document.NNInstalled());
        EXPECT_TRUE(machine.ui().messages().empty());
    }
}

// A system that answers the version query with another platform, refuses it, or cannot
// be asked at all.
enum class VersionQuery { Answers, Refused, Unavailable };

class OtherSystem : public platform::SystemInfo {
  public:
    OtherSystem(platform::SystemInfo& real, win32::DWORD platformId, VersionQuery query)
        : real_(real), platformId_(platformId), query_(query) {}
    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* info) override {
        if (query_ == VersionQuery::Refused) return 0;
        if (query_ == VersionQuery::Unavailable) throw std::runtime_error("no GetVersionExA");
        real_.GetVersionExA(info);
        info->dwPlatformId = platformId_;
        return 1;
    }
    std::string GetWindowsDirectoryA() override { return real_.GetWindowsDirectoryA(); }
    std::string GetSystemDirectoryA() override { return real_.GetSystemDirectoryA(); }
    std::string programFolder() override { return real_.programFolder(); }

  private:
    platform::SystemInfo& real_;
    win32::DWORD platformId_;
    VersionQuery query_;
};

TEST(SystemPlatformTest, AnUnsupportedPlatformIsToldAndEndsConstruction) {
    testsupport::TestMachine machine("win98");
    platform::Services services = machine.services();
    for (const auto query : {VersionQuery::Answers, VersionQuery::Refused}) {
        OtherSystem other(*services.system, win32::VER_PLATFORM_WIN32s, query);
        platform::Services replaced = services;
        replaced.system = &other;
        machine.install(replaced);
        machine.ui().clear();

        EXPECT_EQ(getOSPlatform(), "");
        EXPECT_THROW(RmwConfig(), UnsupportedPlatform);
        ASSERT_EQ(machine.ui().messages().size(), 1u);
        EXPECT_EQ(machine.ui().messages()[0].text,
                  "Only Windows 95 & 98 are supported at this time.");
        EXPECT_EQ(machine.ui().messages()[0].icon, MsgBoxIcon::Information);
        EXPECT_EQ(machine.ui().messages()[0].caption, "Roamwise");
    }
}

TEST(SystemPlatformTest, AVersionQueryThatCannotBeMadeIsReported) {
    testsupport::TestMachine machine("win98");
    platform::Services services = machine.services();
    OtherSystem other(*services.system, win32::VER_PLATFORM_WIN32_WINDOWS,
                      VersionQuery::Unavailable);
    services.system = &other;
    machine.install(services);

    EXPECT_EQ(getOSPlatform(), "");
    ASSERT_EQ(machine.ui().messages().size(), 1u);
    EXPECT_EQ(machine.ui().messages()[0].text, "Error retrieving O/S version information");
    EXPECT_EQ(machine.ui().messages()[0].icon, MsgBoxIcon::Exclamation);
}

}  // namespace
