// rmwctl diff and apply, run as a program against throw-away machines of both templates
// the way a user would: save the machine's configuration, change the machine behind
// Roamwise's back, see the difference, and apply the saved file to put it back.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

using Arguments = std::vector<std::string>;

constexpr const char* kQuestion = "Roamwise: Apply configuration changes?\n";
constexpr const char* kManualRestart =
    "Roamwise: The network changes will take effect the next time you reboot.\n";
constexpr const char* kNoRestart = "Roamwise: Configuration updated - no restart required.\n";
constexpr const char* kExplorerKey =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// TEXT with its one occurrence of FROM replaced by TO.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "no '" << from << "' to replace";
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ApplyVerbs : public ::testing::TestWithParam<std::string> {
  protected:
    bool onWin98() const { return GetParam() == "win98"; }

    testsupport::RmwctlOutcome rmwctl(const Arguments& arguments) const {
        return runner_.run(arguments);
    }
    // Runs a command that has to succeed and returns what it printed.
    std::string succeed(const Arguments& arguments) const {
        const auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments[0] << ": " << outcome.err;
        return outcome.out;
    }

    // Saves the machine's configuration to Office.rmw and returns its path.
    std::string saveOffice() const {
        const std::string path = (folder_.path() / "Office.rmw").string();
        succeed({"save", path});
        return path;
    }

    // The current adapter's IP address: the only one of these changes that needs a restart.
    void changeAddress() const {
        if (onWin98()) {
            succeed({"reg", "add",
                     "HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000", "--value",
                     "IPAddress", "--type", "REG_SZ", "--data", "10.1.2.3"});
        } else {
            succeed({"reg", "add",
                     "HKLM\\SYSTEM\\CurrentControlSet\\Services\\El90x1\\Parameters\\Tcpip",
                     "--value", "IPAddress", "--type", "REG_MULTI_SZ", "--data", "10.1.2.3"});
        }
    }
    void changeDnsServers() const {
        if (onWin98()) {
            succeed({"reg", "add", "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP",
                     "--value", "NameServer", "--type", "REG_SZ", "--data", "1.1.1.1,1.0.0.1"});
        } else {
            // Windows NT keeps the list separated by blanks.
            succeed({"reg", "add", "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters",
                     "--value", "NameServer", "--type", "REG_SZ", "--data", "1.1.1.1 1.0.0.1"});
        }
    }
    void changeExplorerProxy() const {
        // The Windows 98 laptop uses one proxy for every protocol, the NT one a proxy per
        // protocol, of which only HTTP's changes here.
        const std::string server =
            onWin98() ? "cache.example.org:3128"
                      : "ftp=ftpgate.harbourline.com:2121;http=cache.example.org:3128;"
                        "https=proxy.harbourline.com:8443";
        succeed({"reg", "add", kExplorerKey, "--value", "ProxyServer", "--type", "REG_SZ", "--data",
                 server});
    }
    // Navigator is installed on the Windows 98 laptop only.
    std::filesystem::path navigatorPrefs() const {
        return machine_.driveC() / "Program Files" / "Netscape" / "Users" / "jmorgan" / "prefs.js";
    }
    void changeNavigatorProxy() const {
        write(navigatorPrefs(),
              replaced(contents(navigatorPrefs()),
                       "user_pref(\"network.proxy.http\", \"proxy.harbourline.com\");",
                       "user_pref(\"network.proxy.http\", \"cache.example.org\");"));
    }

    std::string addressDiff() const {
        // The Windows 98 laptop's current adapter is the dial-up one, which has no address
        // of its own: the saved "0.0.0.0" is shown as an empty field.
        return onWin98() ? "General\tIPAddress\t10.1.2.3\t\trestart\n"
                         : "General\tIPAddress\t10.1.2.3\t10.20.1.57\trestart\n";
    }
    std::string dnsDiff() const {
        return onWin98() ? "General\tDNSServers\t1.1.1.1,1.0.0.1\t192.168.10.5,192.168.10.6\t\n"
                         : "General\tDNSServers\t1.1.1.1,1.0.0.1\t10.20.0.10,10.20.0.11\t\n";
    }
    std::string explorerDiff() const {
        if (!onWin98()) {
            return "I. Explorer\tHTTPAddress\tcache.example.org\tproxy.harbourline.com\t\n"
                   "I. Explorer\tHTTPPort\t3128\t8080\t\n";
        }
        std::string lines;
        for (const char* protocol : {"HTTP", "Secure", "FTP", "Gopher"}) {
            lines += std::string("I. Explorer\t") + protocol +
                     "Address\tcache.example.org\tproxy.harbourline.com\t\n";
            lines += std::string("I. Explorer\t") + protocol + "Port\t3128\t8080\t\n";
        }
        return lines;
    }
    // Navigator stores an empty port as 0: the laptop's preferences have no WAIS port, a
    // file saved from them says so with an empty value, and once such a file has been
    // applied the port reads back as 0, so the file differs from it there.
    std::string portWrittenAsZeroDiff() const {
        return onWin98() ? "N. Navigator\tWAISPort\t0\t\t\n" : "";
    }
    std::string navigatorDiff() const {
        return onWin98() ? "N. Navigator\tHTTPAddress\tcache.example.org\tproxy.harbourline.com\t\n"
                         : "";
    }

    // Everything Roamwise could write: the registry (settings store and recent list
    // included) and Navigator's preferences.
    std::string machineState() const {
        std::string state = succeed({"reg", "export", "HKLM"}) + succeed({"reg", "export", "HKCU"});
        if (onWin98()) state += contents(navigatorPrefs());
        return state;
    }

    testsupport::TestMachine testMachine_{GetParam()};
    platform::emulated::Machine& machine_ = testMachine_.machine();
    testsupport::TempFolder folder_;
    testsupport::RmwctlRunner runner_{testMachine_.folder()};
};

TEST_P(ApplyVerbs, DiffListsTheChangesAndApplyPutsTheSavedConfigurationBack) {
    const std::string office = saveOffice();
    const std::string saved = contents(office);
    auto outcome = rmwctl({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "") << "nothing differs yet";

    changeAddress();
    changeDnsServers();
    changeExplorerProxy();
    if (onWin98()) changeNavigatorProxy();
    const std::string changed = machineState();
    outcome = rmwctl({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, addressDiff() + dnsDiff() + explorerDiff() + navigatorDiff());
    EXPECT_EQ(machineState(), changed) << "diff wrote to the machine";

    outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    // The address needs a restart; the console leaves it to the user.
    EXPECT_EQ(outcome.err, std::string(kQuestion) + kManualRestart);
    EXPECT_EQ(succeed({"events"}), "") << "a manual restart restarts nothing";

    std::string expected = saved;
    // The empty WAIS port of the saved file has been written as 0 (see above).
    if (onWin98()) expected = replaced(expected, "NNWAISPORT=\r\n", "NNWAISPORT=0\r\n");
    EXPECT_EQ(succeed({"show"}), expected);
    EXPECT_EQ(succeed({"diff", office}), portWrittenAsZeroDiff());

    // As rmw does, the applied file is the last one applied and heads the recent list.
    EXPECT_EQ(succeed({"settings", "get", "Options", "LastFileApplied"}), "Office.rmw\n");
    EXPECT_EQ(succeed({"settings", "get", "Recent", "1File"}), office + "\n");
}

TEST_P(ApplyVerbs, ChangesThatNeedNoRestartAreAppliedWithoutOne) {
    const std::string office = saveOffice();
    changeDnsServers();
    EXPECT_EQ(succeed({"diff", office}), dnsDiff());

    const auto outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, std::string(kQuestion) + kNoRestart);
    EXPECT_EQ(succeed({"diff", office}), portWrittenAsZeroDiff());
}

TEST_P(ApplyVerbs, AGroupTheFileSwitchesOffIsNeitherListedNorApplied) {
    const std::string office = saveOffice();
    write(office, replaced(contents(office), "[Enabled Sections]\r\nGeneral=1",
                           "[Enabled Sections]\r\nGeneral=0"));
    changeAddress();
    changeExplorerProxy();
    EXPECT_EQ(succeed({"diff", office}), explorerDiff());

    const auto outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // Only the switched-off address needed a restart.
    EXPECT_TRUE(contains(outcome.err, kNoRestart)) << outcome.err;
    const std::string shown = succeed({"show"});
    EXPECT_TRUE(contains(shown, "IPAddress=10.1.2.3\r\n")) << "the network was applied";
    EXPECT_TRUE(contains(shown, onWin98() ? "ProxyServer=proxy.harbourline.com:8080\r\n"
                                          : "http=proxy.harbourline.com:8080;"))
        << shown;
}

TEST_P(ApplyVerbs, AFileThatAppliesItselfCarriesOutTheStoredRestart) {
    const std::string office = saveOffice();
    std::string automatic = replaced(contents(office), "AutoApply=0", "AutoApply=1");
    write(office, replaced(automatic, "AutoReboot=0", "AutoReboot=1"));
    succeed({"settings", "set", "Options", "Restart", "1"});
    changeAddress();
    EXPECT_EQ(succeed({"diff", office}),
              addressDiff() + "Advanced\tAutoApply\t0\t1\t\n" + "Advanced\tAutoReboot\t0\t1\t\n");
    EXPECT_EQ(succeed({"events"}), "") << "diff neither applies nor restarts";

    const auto outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_FALSE(contains(outcome.err, kQuestion)) << "the file applies itself unasked";
    EXPECT_FALSE(contains(outcome.err, kManualRestart)) << outcome.err;
    EXPECT_TRUE(contains(succeed({"events"}), " ExitWindowsEx EWX_REBOOT reserved=0\n"));
    EXPECT_FALSE(contains(succeed({"show"}), "IPAddress=10.1.2.3\r\n"));
    EXPECT_EQ(succeed({"settings", "get", "Options", "Restart"}), "1\n") << "left as stored";
}

TEST_P(ApplyVerbs, AFileThatCannotBeOpenedFailsAndChangesNothing) {
    changeAddress();
    const std::string before = machineState();
    for (const std::string& file : {(folder_.path() / "Missing.rmw").string(),
                                    folder_.path().string(), std::string("C:\\Missing.rmw")}) {
        for (const char* verb : {"apply", "diff"}) {
            const auto outcome = rmwctl({verb, file});
            EXPECT_EQ(outcome.status, 1) << verb << " " << file;
            EXPECT_EQ(outcome.out, "");
            EXPECT_TRUE(contains(outcome.err, "rmwctl: cannot open '" + file + "'")) << outcome.err;
        }
    }
    EXPECT_EQ(machineState(), before);
    EXPECT_EQ(succeed({"events"}), "");
}

TEST_P(ApplyVerbs, FilesAreNamedByWindowsPathsAndByPathsWithCommasOrQuotes) {
    succeed({"save", "C:\\Office.rmw"});
    changeDnsServers();
    EXPECT_EQ(succeed({"diff", "C:\\Office.rmw"}), dnsDiff());
    // The program's command line splits at commas and drops quotes; these names are
    // still the files meant.
    std::string portAsZero;  // from the first apply on
    for (const std::string name : {"Home, Office.rmw", "\"Home\".rmw"}) {
        const std::string path = (folder_.path() / name).string();
        write(path, contents(machine_.driveC() / "Office.rmw"));
        EXPECT_EQ(succeed({"diff", path}), dnsDiff() + portAsZero) << name;
        const auto outcome = rmwctl({"apply", path});
        EXPECT_EQ(outcome.status, 0) << name << ": " << outcome.err;
        portAsZero = portWrittenAsZeroDiff();
        EXPECT_EQ(succeed({"diff", path}), portAsZero);
        EXPECT_EQ(succeed({"settings", "get", "Recent", "1File"}), path + "\n");
        changeDnsServers();
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, ApplyVerbs, ::testing::Values("win98", "nt4"));

TEST(ApplyVerbsErrors, AnErrorReportedWhileApplyingIsAFailure) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    // Navigator's ports are 16-bit numbers; this one cannot be written.
    write(office, replaced(contents(office), "NNHTTPPORT=8080", "NNHTTPPORT=99999"));
    EXPECT_EQ(rmwctl.run({"diff", office}).out, "N. Navigator\tHTTPPort\t8080\t99999\t\n");

    const auto outcome = rmwctl.run({"apply", office});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(contains(outcome.err, "Roamwise: Error writing Navigator preferences\n"))
        << outcome.err;
    EXPECT_TRUE(contains(outcome.err, "rmwctl: applying '" + office + "' reported an error"))
        << outcome.err;
}

TEST(ApplyVerbsErrors, DiffShowsValuesThatWouldBreakItsColumnsAsEscapes) {
    testsupport::TestMachine machine("nt4");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    write(office, replaced(contents(office), "Comments=\r\n", "Comments=first\tsecond\r\n"));
    const auto outcome = rmwctl.run({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Advanced\tComments\t\tfirst\\tsecond\t\n");
}

TEST(ApplyVerbsErrors, WrongArgumentsAreUsageErrors) {
    testsupport::TestMachine machine("win98");
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    for (const Arguments& arguments :
         {Arguments{"apply"}, Arguments{"apply", ""}, Arguments{"apply", "a.rmw", "b.rmw"},
          Arguments{"diff"}, Arguments{"diff", "a.rmw", "b.rmw"}}) {
        const auto outcome = rmwctl.run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[0] << " with " << arguments.size() - 1;
        EXPECT_TRUE(contains(outcome.err, arguments[0] + " FILE")) << outcome.err;
    }
}

}  // namespace
