// rmwctl apply as a whole: refused with nothing changed when any part cannot be applied,
// a missing key or section leaving the machine's setting alone, and undo of the last
// applies, on both templates.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const auto at = text.find("\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << "no " << key;
    if (at == std::string::npos) return text;
    const auto start = at + key.size() + 2;
    text.replace(start, text.find('\r', start) - start, value);
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Makes a file read-only for the object's lifetime.
class ReadOnly {
  public:
    explicit ReadOnly(fs::path file) : file_(std::move(file)) { ::chmod(file_.c_str(), 0444); }
    ~ReadOnly() { ::chmod(file_.c_str(), 0644); }

  private:
    fs::path file_;
};

class ApplySafety : public ::testing::TestWithParam<std::string> {
  protected:
    // Navigator's first apply writes its empty WAIS port as 0; done here once, the states
    // compared below differ only where the files do.
    void SetUp() override {
        write(file("Now.rmw"), state());
        succeed({"apply", file("Now.rmw").string()});
        succeed({"undo"});
    }
    bool onWin98() const { return GetParam() == "win98"; }
    testsupport::RmwctlOutcome rmwctl(const Arguments& arguments) const {
        return runner_.run(arguments);
    }
    std::string succeed(const Arguments& arguments) const {
        const auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments[0] << ": " << outcome.err;
        return outcome.out;
    }
    std::string state() const { return succeed({"show"}); }
    fs::path file(const std::string& name) const { return folder_.path() / name; }
    // A file that changes the host name and the default printer (a win.ini entry on
    // Windows 98) and, where Navigator is installed, its HTTP proxy port (prefs.js).
    fs::path elsewhere() const {
        std::string text = withValue(state(), "HostName", "elsewhere");
        text = withValue(text, "DefaultPrinter", "Epson Stylus COLOR 740");
        if (onWin98()) text = withValue(text, "NNHTTPPORT", "3128");
        write(file("Elsewhere.rmw"), text);
        return file("Elsewhere.rmw");
    }
    fs::path prefs() const {
        return testMachine_.folder() / "drive_c" / "Program Files" / "Netscape" / "Users" / "jmorgan" /
               "prefs.js";
    }

    testsupport::TestMachine testMachine_{GetParam()};
    testsupport::TempFolder folder_;
    testsupport::RmwctlRunner runner_{testMachine_.folder()};
};

TEST_P(ApplySafety, AFileThatCannotBeWrittenRefusesTheWholeApply) {
    const fs::path target = elsewhere();
    const std::string before = state();
    std::vector<fs::path> unwritable{testMachine_.folder() / "drive_c" / "WINDOWS" / "win.ini"};
    if (onWin98()) unwritable.push_back(prefs());
    for (const fs::path& file : unwritable) {
        if (!onWin98() && file.filename() == "win.ini") continue;  // NT keeps [windows] in the registry
        const ReadOnly guard(file);
        const auto outcome = rmwctl({"apply", target.string()});
        EXPECT_EQ(outcome.status, 1) << file;
        EXPECT_TRUE(contains(outcome.err, "was not applied")) << outcome.err;
        EXPECT_TRUE(contains(outcome.err, file.filename().string())) << outcome.err;
        EXPECT_EQ(state(), before) << file << " refused, yet something changed";
    }
    if (onWin98()) {
        // Without its preference file Navigator's settings cannot be applied: no half apply.
        fs::rename(prefs(), file("prefs.js"));
        const auto outcome = rmwctl({"apply", target.string()});
        fs::rename(file("prefs.js"), prefs());
        EXPECT_EQ(outcome.status, 1);
        EXPECT_TRUE(contains(outcome.err, "preference file cannot be found")) << outcome.err;
        EXPECT_EQ(state(), before);
    }
    // Bad values are refused before anything is written.
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"NNHTTPPORT", "80a"}, {"IPAddress", "10.0.0.1,10.0.0.2"}, {"NameServer", "1.2.3"}}) {
        if (!onWin98() && key != "NameServer") continue;
        write(file("Bad.rmw"), withValue(contents(target), key, value));
        const auto outcome = rmwctl({"apply", file("Bad.rmw").string()});
        EXPECT_EQ(outcome.status, 1) << key;
        EXPECT_TRUE(contains(outcome.err, key + "=" + value)) << outcome.err;
        EXPECT_EQ(state(), before);
    }
    succeed({"apply", target.string()});
    EXPECT_TRUE(contains(state(), "HostName=elsewhere\r\n"));
}

TEST_P(ApplySafety, AFileCutShortAppliesOnlyWhatItHolds) {
    const std::string before = state();
    const std::string full = contents(elsewhere());
    // Cut right after the host name: the rest of [Network] and every later section are gone.
    const std::string cut = full.substr(0, full.find("HostName=elsewhere\r\n") + 20);
    write(file("Cut.rmw"), cut);

    auto outcome = rmwctl({"diff", file("Cut.rmw").string()});
    EXPECT_TRUE(contains(outcome.err, "has no such section")) << outcome.err;
    outcome = rmwctl({"apply", file("Cut.rmw").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(contains(outcome.err, "--force")) << outcome.err;
    EXPECT_EQ(state(), before);

    succeed({"apply", file("Cut.rmw").string(), "--force"});
    EXPECT_EQ(state(), withValue(before, "HostName", "elsewhere"))
        << "only the host name is in the file; proxies, printer and the rest stay";
}

TEST_P(ApplySafety, UndoGoesBackOneApplyAtATimeAndRevertAfterRevertsUnlessConfirmed) {
    const std::string start = state();
    const fs::path target = elsewhere();
    succeed({"apply", target.string()});
    const std::string first = state();
    write(file("Second.rmw"), withValue(contents(target), "HostName", "second"));
    succeed({"apply", file("Second.rmw").string()});
    const std::string second = state();

    const std::string history = succeed({"history"});
    EXPECT_TRUE(contains(history, "1\t")) << history;
    EXPECT_TRUE(contains(history, "Second.rmw\n2\t")) << history;
    EXPECT_TRUE(contains(history, "Elsewhere.rmw\n")) << history;
    succeed({"undo"});
    EXPECT_EQ(state(), first);
    succeed({"undo"});
    EXPECT_EQ(state(), start);
    EXPECT_EQ(rmwctl({"undo"}).status, 1) << "nothing left to undo";

    // Confirmed in time: kept. The time allowed leaves room for a slow start of the
    // confirming process on a loaded machine.
    succeed({"apply", file("Second.rmw").string(), "--revert-after", "4"});
    succeed({"confirm"});
    std::this_thread::sleep_for(std::chrono::milliseconds(5000));
    EXPECT_EQ(state(), second);
    EXPECT_EQ(rmwctl({"confirm"}).status, 1) << "nothing waits any more";

    // Not confirmed: reverts by itself.
    const std::string kept = state();
    succeed({"apply", target.string(), "--revert-after", "0.5"});
    EXPECT_TRUE(contains(state(), "HostName=elsewhere\r\n"));
    std::string now;
    for (int wait = 0; wait < 100 && (now = state()) != kept; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_EQ(now, kept);
}

INSTANTIATE_TEST_SUITE_P(Templates, ApplySafety, ::testing::Values("win98", "nt4"));

// A file saved on Windows NT, whose network settings keep no workgroup and no logon, has
// none of those keys, and applied on Windows 98 leaves them as they are.
TEST(NtFileOnWindows98, KeepsTheWorkgroupAndTheLogon) {
    testsupport::TempFolder folder;
    const fs::path saved = folder.path() / "Nt.rmw";
    {
        testsupport::TestMachine nt("nt4");
        testsupport::RmwctlRunner runner(nt.folder());
        ASSERT_EQ(runner.run({"save", saved.string()}).status, 0);
    }
    const std::string text = contents(saved);
    EXPECT_FALSE(contains(text, "\nWorkgroup=")) << text;
    EXPECT_FALSE(contains(text, "\nNTLogon=")) << text;
    EXPECT_FALSE(contains(text, "\nNTDomain=")) << text;

    testsupport::TestMachine win98("win98");
    testsupport::RmwctlRunner runner(win98.folder());
    const auto shown = [&] { return runner.run({"show"}).out; };
    const auto line = [](const std::string& all, const std::string& key) {
        const auto at = all.find("\n" + key + "=");
        return all.substr(at + 1, all.find('\r', at) - at - 1);
    };
    const std::string before = shown();
    const auto outcome = runner.run({"apply", saved.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const std::string after = shown();
    for (const char* key : {"Workgroup", "NTLogon", "NTDomain"}) {
        EXPECT_EQ(line(after, key), line(before, key));
    }
    EXPECT_NE(line(after, "HostName"), line(before, "HostName")) << "the rest is applied";
}

// Killed runs leave no temporary file or machine copy behind for good: the next run that
// makes one removes what dead ones left (show makes none: it writes no file at all).
TEST(KilledRuns, LeaveNothingBehindOnceTheNextRunHasBeenMade) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder temporary;
    testsupport::RmwctlRunner runner(machine.folder());
    ::setenv("TMPDIR", temporary.path().c_str(), 1);
    const fs::path saved = temporary.path() / ".." / (temporary.path().filename().string() + ".rmw");
    ASSERT_EQ(runner.run({"save", saved.string()}).status, 0);
    for (int kill = 0; kill < 6; ++kill) {
        const std::string program = std::string(std::getenv("ROAMWISE_TEST_BIN")) + "/rmwctl";
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("ROAMWISE_MACHINE", machine.folder().c_str(), 1);
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            if (kill % 2) {
                ::execl(program.c_str(), program.c_str(), "show", static_cast<char*>(nullptr));
            } else {
                ::execl(program.c_str(), program.c_str(), "diff", saved.c_str(),
                        static_cast<char*>(nullptr));
            }
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 15 * kill));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_EQ(runner.run({"diff", saved.string()}).status, 0);
    ::unsetenv("TMPDIR");
    fs::remove(saved);
    for (const auto& entry : fs::directory_iterator(temporary.path())) {
        ADD_FAILURE() << entry.path() << " left behind";
    }
}

}  // namespace
