// rmwctl diff and apply, run as a program against throw-away machines of both templates
// the way a user would: save the machine's configuration, change the machine behind
// Roamwise's back, see the difference, and apply the saved file to put it back.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
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

// Sets an environment variable, which the rmwctl runs inherit, for the object's lifetime.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (saved_) {
            setenv(name_, saved_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

// Runs in FOLDER, as a user who cds there, for the object's lifetime.
class ScopedWorkingFolder {
  public:
    explicit ScopedWorkingFolder(const std::filesystem::path& folder)
        : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~ScopedWorkingFolder() { std::filesystem::current_path(saved_); }

  private:
    std::filesystem::path saved_;
};

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
    // Navigator stores an empty port as 0: the laptop's preferences have no WAIS port, and
    // the first apply writes it, so until then applying changes it from empty to 0.
    std::string firstWriteDiff() const {
        return onWin98() ? "N. Navigator\tWAISPort\t\t0\t\n" : "";
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
    EXPECT_EQ(outcome.out, firstWriteDiff()) << "nothing else differs yet";

    changeAddress();
    changeDnsServers();
    changeExplorerProxy();
    if (onWin98()) changeNavigatorProxy();
    const std::string changed = machineState();
    // The copy the file is tried out on goes with the run.
    const testsupport::TempFolder temporary;
    {
        const ScopedEnvironment tmpdir("TMPDIR", temporary.path().string());
        outcome = rmwctl({"diff", office});
    }
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, std::string("rmwctl: address settings go to adapter 0 (") +
                               (onWin98() ? "Dial-Up Adapter" : "[1] 3Com Fast EtherLink XL Adapter (3C905)") +
                               ")\n");
    EXPECT_EQ(outcome.out,
              addressDiff() + dnsDiff() + explorerDiff() + navigatorDiff() + firstWriteDiff());
    EXPECT_EQ(machineState(), changed) << "diff wrote to the machine";
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path())) << "diff left its copy behind";
    EXPECT_EQ(succeed({"events"}), "");

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
    EXPECT_EQ(succeed({"diff", office}), "") << "applied: nothing left to change";
    EXPECT_EQ(contents(office), saved) << "applying is not saving";

    // As rmw does, the applied file is the last one applied and heads the recent list.
    EXPECT_EQ(succeed({"settings", "get", "Options", "LastFileApplied"}), "Office.rmw\n");
    EXPECT_EQ(succeed({"settings", "get", "Recent", "1File"}), office + "\n");
}

TEST_P(ApplyVerbs, ChangesThatNeedNoRestartAreAppliedWithoutOneAndASecondApplyChangesNothing) {
    const std::string office = saveOffice();
    // Edited on another system: lines ended by LF alone read the same.
    std::string text = contents(office);
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    write(office, text);
    changeDnsServers();
    EXPECT_EQ(succeed({"diff", office}), dnsDiff() + firstWriteDiff());

    auto outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, std::string(kQuestion) + kNoRestart);
    EXPECT_EQ(succeed({"diff", office}), "");
    const std::string applied = machineState();

    // Opening the file again marks it to be applied, though no value differs.
    outcome = rmwctl({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, std::string(kQuestion) + kNoRestart);
    EXPECT_EQ(machineState(), applied);
}

TEST_P(ApplyVerbs, AGroupTheFileSwitchesOffIsNeitherListedNorApplied) {
    const std::string office = saveOffice();
    write(office, replaced(contents(office), "[Enabled Sections]\r\nGeneral=1",
                           "[Enabled Sections]\r\nGeneral=0"));
    changeAddress();
    changeExplorerProxy();
    EXPECT_EQ(succeed({"diff", office}), explorerDiff() + firstWriteDiff());

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
    EXPECT_EQ(succeed({"diff", office}), addressDiff() + firstWriteDiff() +
                                             "Advanced\tAutoApply\t0\t1\t\n" +
                                             "Advanced\tAutoReboot\t0\t1\t\n");
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
    EXPECT_EQ(succeed({"diff", "C:\\Office.rmw"}), dnsDiff() + firstWriteDiff());
    // The program's command line splits at commas and drops quotes; these names are
    // still the files meant.
    std::string notWrittenYet = firstWriteDiff();
    for (const std::string name : {"Home, Office.rmw", "\"Home\".rmw"}) {
        const std::string path = (folder_.path() / name).string();
        write(path, contents(machine_.driveC() / "Office.rmw"));
        EXPECT_EQ(succeed({"diff", path}), dnsDiff() + notWrittenYet) << name;
        const auto outcome = rmwctl({"apply", path});
        EXPECT_EQ(outcome.status, 0) << name << ": " << outcome.err;
        notWrittenYet = "";
        EXPECT_EQ(succeed({"diff", path}), "");
        EXPECT_EQ(succeed({"settings", "get", "Recent", "1File"}), path + "\n");
        changeDnsServers();
    }
}

// A user in the file's folder names it without one; the recent list keeps the whole path,
// so that rmw and the tray utility started elsewhere find it again.
TEST_P(ApplyVerbs, AFileNamedRelativeToTheWorkingFolderIsRecordedByItsFullPath) {
    const std::string office = saveOffice();
    changeDnsServers();
    {
        const ScopedWorkingFolder there(folder_.path());
        EXPECT_EQ(succeed({"diff", "Office.rmw"}), dnsDiff() + firstWriteDiff());
        const auto outcome = rmwctl({"apply", "./Office.rmw"});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
    }
    EXPECT_EQ(succeed({"settings", "get", "Recent", "1File"}), office + "\n");
    EXPECT_EQ(succeed({"settings", "get", "Options", "LastFileApplied"}), "Office.rmw\n");
    EXPECT_EQ(succeed({"diff", office}), "");
}

// Files the profile functions read as holding no setting at all: applying one would change
// nothing, yet record it as the last file applied.
TEST_P(ApplyVerbs, FilesThatAreNoConfigurationFilesAreRefused) {
    const std::string office = saveOffice();
    succeed({"apply", office});
    const std::string before = machineState();
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        {"Empty.rmw", ""},
        {"Notes.rmw", "Office: proxy on 8080\r\nHome: no proxy\r\n"},
        {"Old.rmw", "# version 1\r\nrmw_version '1.0'\r\nIPAddress '192.168.0.5'\r\nautoapply\r\n"},
    };
    for (const auto& file : files) {
        const std::string path = (folder_.path() / file.name).string();
        write(path, file.text);
        for (const char* verb : {"apply", "diff"}) {
            const auto outcome = rmwctl({verb, path});
            EXPECT_EQ(outcome.status, 1) << verb << " " << file.name;
            EXPECT_EQ(outcome.out, "");
            EXPECT_TRUE(contains(outcome.err,
                                 "rmwctl: '" + path + "' is not a Roamwise configuration file"))
                << outcome.err;
            EXPECT_TRUE(contains(outcome.err, "rmwctl convert")) << outcome.err;
        }
    }
    EXPECT_EQ(machineState(), before);

    // Lines ended by CR alone are lines, as Windows reads them.
    std::string classic = contents(office);
    for (auto at = classic.find("\r\n"); at != std::string::npos; at = classic.find("\r\n", at))
        classic.erase(at + 1, 1);
    write(folder_.path() / "Classic.rmw", classic);
    EXPECT_EQ(succeed({"diff", (folder_.path() / "Classic.rmw").string()}), succeed({"diff", office}));

    // A UTF-16 file is named as one, with the way out.
    write(folder_.path() / "Wide.rmw", std::string("\xFF\xFE[\0E\0]\0", 8));
    const auto wide = rmwctl({"apply", (folder_.path() / "Wide.rmw").string()});
    EXPECT_EQ(wide.status, 1);
    EXPECT_TRUE(contains(wide.err, "is UTF-16 text")) << wide.err;

    // A file whose groups are all switched off is one; it changes nothing.
    std::string switchedOff = contents(office);
    for (const char* group : {"General", "Internet Explorer", "Netscape Navigator"}) {
        const std::string on = std::string(group) + "=1";
        if (contains(switchedOff, on))
            switchedOff = replaced(switchedOff, on, std::string(group) + "=0");
    }
    write(office, switchedOff);
    changeDnsServers();
    EXPECT_EQ(succeed({"diff", office}), "");
    EXPECT_EQ(rmwctl({"apply", office}).status, 0);
}

INSTANTIATE_TEST_SUITE_P(Templates, ApplyVerbs, ::testing::Values("win98", "nt4"));

// What diff lists is what applying changes, which is not always what the file says: values
// a backend leaves alone or stores in another form.
TEST(ApplyVerbsDiff, ListsWhatApplyingChangesRatherThanWhatTheFileSays) {
    testsupport::TestMachine machine("nt4");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    std::string text = contents(office);
    // A printer this machine does not have: the default printer stays.
    text = replaced(text, "DefaultPrinter=HP LaserJet 5Si", "DefaultPrinter=Ghost Printer");
    // Windows NT keeps its workgroup whatever the file says (one edited by hand may have one).
    text = replaced(text, "ComputerName=HLWS042\r\n", "ComputerName=HLWS042\r\nWorkgroup=ELSEWHERE\r\n");
    // WINS switched off, the servers left in the file: they are written empty.
    text = replaced(text, "WINS=1", "WINS=0");
    write(office, text);
    const std::string printer =
        rmwctl
            .run({"reg", "query", "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                  "--value", "Device"})
            .out;

    auto outcome = rmwctl.run({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "General\tWINSEnabled\t1\t0\trestart\n"
              "General\tWINSServer1\t10.20.0.12\t\t\n"
              "General\tWINSServer2\t10.20.0.13\t\t\n");

    outcome = rmwctl.run({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const std::string shown = rmwctl.run({"show"}).out;
    EXPECT_TRUE(contains(shown, "\r\nNameServer1=\r\nNameServer2=\r\n")) << shown;
    EXPECT_FALSE(contains(shown, "\r\nWorkgroup=")) << "Windows NT keeps no workgroup: " << shown;
    EXPECT_TRUE(contains(shown, "\r\nDefaultPrinter=HP LaserJet 5Si\r\n")) << shown;
    EXPECT_EQ(
        rmwctl
            .run({"reg", "query", "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                  "--value", "Device"})
            .out,
        printer);
    EXPECT_EQ(rmwctl.run({"diff", office}).out, "");
}

// The window checks an address when the user leaves its field and cuts names to 15
// characters as they are typed; a file edited by hand is checked before anything is applied.
TEST(ApplyVerbsDiff, AFileWithAnAddressOrNameThatIsNotValidIsRefused) {
    testsupport::TestMachine machine("nt4");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    const std::string saved = contents(office);
    const std::string before = rmwctl.run({"reg", "export", "HKLM"}).out;
    const struct {
        const char* from;
        const char* to;
    } mistakes[] = {
        {"IPAddress=10.20.1.57", "IPAddress=10.20.1.570"},
        {"IPMask=255.255.0.0", "IPMask=255.255.0"},
        {"DefaultGateway=10.20.0.1", "DefaultGateway=10.20.0.1,"},
        {"NameServer=10.20.0.10,10.20.0.11", "NameServer=10.20.0.10;10.20.0.11"},
    };
    for (const auto& mistake : mistakes) {
        write(office, replaced(saved, mistake.from, mistake.to));
        for (const char* verb : {"apply", "diff"}) {
            const auto outcome = rmwctl.run({verb, office});
            EXPECT_EQ(outcome.status, 1) << verb << " " << mistake.to;
            EXPECT_EQ(outcome.err, "rmwctl: '" + office + "' holds an address that is not valid: " +
                                       mistake.to + "\n");
        }
    }
    // The window takes at most 15 characters for these names.
    for (const char* tooLong : {"ComputerName=HARBOURLINE-WS042", "Workgroup=HARBOURLINE-OFFICE"}) {
        const std::string key = std::string(tooLong).substr(0, std::string(tooLong).find('='));
        std::string text = saved;
        // A file saved on Windows NT has no workgroup; one edited by hand may.
        text = replaced(text, "ComputerName=HLWS042\r\n",
                        (key == "Workgroup" ? std::string("ComputerName=HLWS042\r\n") : "") +
                            tooLong + "\r\n");
        write(office, text);
        const auto outcome = rmwctl.run({"apply", office});
        EXPECT_EQ(outcome.status, 1) << tooLong;
        EXPECT_EQ(outcome.err, "rmwctl: '" + office +
                                   "' holds a name longer than 15 characters: " + tooLong + "\n");
    }
    EXPECT_EQ(rmwctl.run({"reg", "export", "HKLM"}).out, before);

    // Several addresses of one adapter are a list; a group switched off is not applied.
    write(office, replaced(saved, "IPAddress=10.20.1.57", "IPAddress=10.20.1.57,10.20.1.58"));
    EXPECT_EQ(rmwctl.run({"diff", office}).out,
              "General\tIPAddress\t10.20.1.57\t10.20.1.57,10.20.1.58\trestart\n");
    write(office, replaced(replaced(saved, "IPAddress=10.20.1.57", "IPAddress=x"), "General=1",
                           "General=0"));
    EXPECT_EQ(rmwctl.run({"apply", office}).status, 0);
}

// The laptop's current adapter is the dial-up one; a file for its network card is compared
// with, and written to, the card's settings.
TEST(ApplyVerbsDiff, ComparesWithTheAdapterTheFileNames) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    std::string text = replaced(contents(office), "Adapter=Dial-Up Adapter",
                                "Adapter=Intel 8255x-based PCI Ethernet Adapter (10/100)");
    // The card's own settings, but for its address and DNS servers.
    text = replaced(text, "IPAddress=0.0.0.0", "IPAddress=192.168.10.99");
    text = replaced(text, "IPMask=0.0.0.0", "IPMask=255.255.255.0");
    text = replaced(text, "DefaultGateway=\r\n", "DefaultGateway=192.168.10.1\r\n");
    text = replaced(text, "NameServer1=\r\n", "NameServer1=192.168.10.5\r\n");
    text = replaced(text, "NameServer2=\r\n", "NameServer2=192.168.10.6\r\n");
    text = replaced(text, "DHCP=1", "DHCP=0");
    text = replaced(text, "WINS=0", "WINS=1");
    write(office, text);

    auto outcome = rmwctl.run({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "General\tIPAddress\t192.168.10.47\t192.168.10.99\trestart\n"
              "N. Navigator\tWAISPort\t\t0\t\n");

    outcome = rmwctl.run({"apply", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const std::string card = "HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001";
    EXPECT_TRUE(
        contains(rmwctl.run({"reg", "query", card, "--value", "IPAddress"}).out, "192.168.10.99"));
    EXPECT_EQ(rmwctl.run({"diff", office}).out, "");
}

// The line of KEY in TEXT replaced by KEY=VALUE.
std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const auto at = text.find("\r\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << "no key " << key;
    if (at == std::string::npos) return text;
    const auto end = text.find("\r\n", at + 2);
    return text.replace(at + 2, end - at - 2, key + "=" + value);
}

// On the Windows 98 laptop adapter 0 is the dial-up adapter: an office file is saved for
// the Ethernet card, whose scope (with WinSock 2 the adapter's own) diff lists as apply
// writes it; a file naming a card the machine lacks is applied to adapter 0, with a
// warning.
TEST(ApplyVerbsDiff, SaveForAnAdapterAndDiffTellsWhereItsSettingsGo) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string card = "Intel 8255x-based PCI Ethernet Adapter (10/100)";
    const std::string office = (folder.path() / "Office.rmw").string();
    auto outcome = rmwctl.run({"save", office, "--adapter", "1"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(contains(contents(office), "Adapter=" + card + "\r\n"));
    EXPECT_TRUE(contains(contents(office), "IPAddress=192.168.10.47\r\n"));
    const std::string byName = (folder.path() / "ByName.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", "--adapter", "intel 8255X-based PCI Ethernet Adapter (10/100)",
                          byName}).status, 0);
    EXPECT_EQ(contents(byName), contents(office));
    outcome = rmwctl.run({"save", byName, "--adapter", "7"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(contains(outcome.err, "no network adapter '7'") && contains(outcome.err, card))
        << outcome.err;

    std::string text = withValue(contents(office), "WINS", "1");
    text = withValue(withValue(text, "NameServer1", "192.168.10.5"), "ScopeID", "ROAMSCOPE");
    write(office, text);
    outcome = rmwctl.run({"diff", office});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(contains(outcome.out, "General\tScopeID\t\tROAMSCOPE\t")) << outcome.out;
    EXPECT_EQ(outcome.err, "rmwctl: address settings go to adapter 1 (" + card + ")\n");
    ASSERT_EQ(rmwctl.run({"apply", office}).status, 0);
    EXPECT_EQ(rmwctl.run({"diff", office}).out, "") << "diff and apply agree";

    write(office, withValue(text, "Adapter", "Gone Card"));
    outcome = rmwctl.run({"diff", office});
    EXPECT_EQ(outcome.err, "rmwctl: warning: the file's adapter 'Gone Card' is not installed; its "
                           "address settings go to adapter 0 (Dial-Up Adapter) instead\n");
}

TEST(ApplyVerbsErrors, APortThatCannotBeWrittenIsRefusedBeforeAnythingIsApplied) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const testsupport::RmwctlRunner rmwctl(machine.folder());
    const std::string office = (folder.path() / "Office.rmw").string();
    ASSERT_EQ(rmwctl.run({"save", office}).status, 0);
    // Navigator's ports are 16-bit numbers; this one cannot be written.
    write(office, replaced(contents(office), "NNHTTPPORT=8080", "NNHTTPPORT=99999"));
    // Refused whole before anything is written, by diff and apply alike.
    const std::string refusal =
        "rmwctl: '" + office + "' holds a port that is not valid: NNHTTPPORT=99999; nothing was applied\n";
    const std::string before = rmwctl.run({"show"}).out;
    const auto tried = rmwctl.run({"diff", office});
    EXPECT_EQ(tried.status, 1);
    EXPECT_EQ(tried.err, refusal);
    const auto outcome = rmwctl.run({"apply", office});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, refusal);
    EXPECT_EQ(rmwctl.run({"show"}).out, before);
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
