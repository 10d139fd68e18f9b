// Real preference files of Navigator and later Mozilla-family browsers must survive
// being opened and written back, and an apply must touch only the proxy lines.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "browser/NNConfig.h"
#include "browser/jsPrefs.h"
#include "platform/Services.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/TestMachine.h"

namespace {

using browsertest::dataFile;
using browsertest::readBytes;
using browsertest::withCrLf;
using browsertest::writeBytes;

const std::string kSamples[] = {"firefox-windows-prefs.js", "seamonkey-linux-prefs.js",
                                "navigator4-latin1-prefs.js"};

const char* const kNavigatorPrefs = "C:\\Program Files\\Netscape\\Users\\jmorgan\\prefs.js";

// The keys an apply may write.
const std::set<std::string> kProxyKeys = {
    "network.proxy.http",          "network.proxy.http_port",
    "network.proxy.ftp",           "network.proxy.ftp_port",
    "network.proxy.gopher",        "network.proxy.gopher_port",
    "network.proxy.ssl",           "network.proxy.ssl_port",
    "network.hosts.socks_server",  "network.hosts.socks_serverport",
    "network.proxy.wais",          "network.proxy.wais_port",
    "network.proxy.no_proxies_on", "network.proxy.autoconfig_url",
    "network.proxy.type"};

// The CR LF-ended lines of a file; a file that is not (yet) in that form is one line.
std::vector<std::string> lines(const std::string& contents) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t end = contents.find("\r\n", start);
        if (end == std::string::npos) {
            result.push_back(contents.substr(start));
            break;
        }
        result.push_back(contents.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

std::string keyOf(const std::string& line) {
    const std::string prefix = "user_pref(\"";
    if (!line.starts_with(prefix)) return "";
    return line.substr(prefix.size(), line.find('"', prefix.size()) - prefix.size());
}

std::vector<std::string> withoutProxyLines(const std::vector<std::string>& all) {
    std::vector<std::string> kept;
    for (const std::string& line : all) {
        if (!kProxyKeys.contains(keyOf(line))) kept.push_back(line);
    }
    return kept;
}

class PrefsRoundTripTest : public testing::TestWithParam<std::string> {};

TEST_P(PrefsRoundTripTest, WritingBackUnchangedKeepsEveryByteButTheLineEnds) {
    testsupport::TestMachine machine;
    testsupport::TempFolder temp;
    const std::string original = readBytes(dataFile(GetParam()));
    ASSERT_GT(original.size(), 5000u);
    const std::filesystem::path copy = temp.path() / "prefs.js";
    writeBytes(copy, original);

    jsPrefs prefs;
    prefs.openPrefsFile(copy.string(), true);
    prefs.closePrefsFile();
    EXPECT_EQ(readBytes(copy), withCrLf(original));
}

TEST_P(PrefsRoundTripTest, ApplyingChangesOnlyTheProxyLines) {
    testsupport::TestMachine machine;
    const std::filesystem::path prefsPath = platform::files().toNative(kNavigatorPrefs);
    const std::string original = readBytes(dataFile(GetParam()));
    writeBytes(prefsPath, original);

    NNConfig navigator;
    ASSERT_EQ(navigator.prefsFilePath(), kNavigatorPrefs);
    navigator.loadConfiguration();
    navigator.HTTPAddress("proxy.office.example");
    navigator.HTTPPort("8080");
    navigator.ProxyExceptions("localhost, \"quoted\\name\"");
    navigator.ProxyEnabled(true);
    navigator.ConnectViaLAN(false);
    navigator.applyConfiguration();

    const std::vector<std::string> before = lines(withCrLf(original));
    const std::vector<std::string> after = lines(readBytes(prefsPath));
    EXPECT_EQ(withoutProxyLines(after), withoutProxyLines(before));
    EXPECT_THAT(after,
                testing::Contains("user_pref(\"network.proxy.http\", \"proxy.office.example\");"));
    EXPECT_THAT(after, testing::Contains("user_pref(\"network.proxy.type\", 1);"));

    NNConfig reloaded;
    reloaded.loadConfiguration();
    EXPECT_EQ(reloaded.ProxyExceptions(), "localhost, \"quoted\\name\"");
    EXPECT_EQ(reloaded.HTTPPort(), "8080");
    EXPECT_TRUE(reloaded.ProxyEnabled());
}

INSTANTIATE_TEST_SUITE_P(Samples, PrefsRoundTripTest, testing::ValuesIn(kSamples),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (char c : info.param) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             }
                             return name;
                         });

}  // namespace
