// Nothing lost, nothing mixed: rmwctl save, convert and apply run at the same time and
// killed at random moments, the way a crash or an impatient user stops them. A file is
// always either its old or its new content, and a machine either wholly before or wholly
// after an apply. The number of kills is brief here; scripts/stress runs it long by
// setting ROAMWISE_STRESS_KILLS.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/emulated/ApplyLock.h"
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

// TEXT with the value of its line KEY=… set to VALUE.
std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const auto at = text.find("\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << "no " << key;
    if (at == std::string::npos) return text;
    const auto start = at + key.size() + 2;
    text.replace(start, text.find('\r', start) - start, value);
    return text;
}

// Kills of each kind: set for the long run; briefly, and on one template only, in the suite.
int killsPerKind(const std::string& templateName) {
    const char* named = std::getenv("ROAMWISE_STRESS_KILLS");
    if (named != nullptr && std::atoi(named) > 0) return std::atoi(named);
    return templateName == "win98" ? 17 : 0;
}

// An rmwctl run in the background against MACHINE, its output thrown away.
class Background {
  public:
    Background(const fs::path& machine, const Arguments& arguments) {
        const std::string program = std::string(std::getenv("ROAMWISE_TEST_BIN")) + "/rmwctl";
        std::fflush(nullptr);  // or the child would write this process's buffered output
        pid_ = ::fork();
        if (pid_ != 0) return;
        ::setenv("ROAMWISE_MACHINE", machine.c_str(), 1);
        std::freopen("/dev/null", "r", stdin);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    // Waits for the run; its exit status, or -1 when a signal ended it.
    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Kills the run with SIGKILL unless it ended already; true when the kill ended it.
    bool kill() {
        ::kill(pid_, SIGKILL);
        return wait() == -1;
    }

  private:
    pid_t pid_ = -1;
};

struct StressFigures {
    int kills = 0;
    int finished = 0;  // runs that ended before the kill came
    int broken = 0;    // files or machines neither before nor after
};

class Durability : public ::testing::TestWithParam<std::string> {
  protected:
    std::string succeed(const Arguments& arguments) const {
        const auto outcome = runner_.run(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments[0] << ": " << outcome.err;
        return outcome.out;
    }
    fs::path file(const std::string& name) const { return folder_.path() / name; }
    // The configuration of the machine: its registry settings and Navigator's preferences.
    std::string state() const { return succeed({"show"}); }

    // Kills RUN at random moments up to about twice a whole run's duration; after each
    // kill, SOUND says whether what it left is before or after.
    template <typename Sound>
    StressFigures killRepeatedly(const Arguments& run, Sound&& sound, const std::string& kind) {
        return killRepeatedly([&] { return run; }, sound, kind);
    }
    template <typename Runs, typename Sound>
    StressFigures killRepeatedly(Runs&& nextRun, Sound&& sound, const std::string& kind) {
        const auto started = std::chrono::steady_clock::now();
        Background(testMachine_.folder(), nextRun()).wait();
        const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - started);
        std::uniform_int_distribution<long> delay(0, whole.count());
        StressFigures figures;
        while (figures.kills < killsPerKind(GetParam())) {
            Background victim(testMachine_.folder(), nextRun());
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random_)));
            if (victim.kill()) {
                ++figures.kills;
            } else {
                ++figures.finished;
            }
            if (!sound()) ++figures.broken;
        }
        std::cout << "[ stress   ] " << GetParam() << " " << kind << ": " << figures.kills
                  << " kills, " << figures.finished << " runs finished first, " << figures.broken
                  << " broken" << std::endl;
        return figures;
    }

    testsupport::TestMachine testMachine_{GetParam()};
    testsupport::TempFolder folder_;
    testsupport::RmwctlRunner runner_{testMachine_.folder()};
    std::mt19937 random_{std::random_device{}()};
};

TEST_P(Durability, ConcurrentSavesOfOneFileEachLeaveOneCompleteSave) {
    const fs::path office = file("Office.rmw");
    const std::string complete = state();
    for (int round = 0; round < 3; ++round) {
        std::vector<Background> savers;
        for (int i = 0; i < 6; ++i) savers.emplace_back(testMachine_.folder(), Arguments{"save", office});
        for (auto& saver : savers) EXPECT_EQ(saver.wait(), 0);
        EXPECT_EQ(contents(office), complete) << "round " << round;
    }
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        EXPECT_EQ(entry.path().filename(), "Office.rmw") << "left behind";
    }
}

TEST_P(Durability, KilledSavesAndConversionsLeaveTheOldOrTheNewFile) {
    if (killsPerKind(GetParam()) == 0) GTEST_SKIP() << "killed on this template in scripts/stress";
    const fs::path office = file("Office.rmw");
    succeed({"save", office.string()});
    const std::string before = contents(office);
    succeed({"reg", "add", "HKLM\\System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
             "--value", "ComputerName", "--type", "REG_SZ", "--data", "ELSEWHERE"});
    const std::string after = state();
    ASSERT_NE(before, after);
    const auto saveSound = [&] {
        const std::string now = contents(office);
        return now == before || now == after;
    };
    EXPECT_EQ(killRepeatedly({"save", office.string()}, saveSound, "save").broken, 0);

    const fs::path old = file("old.cfg");
    write(old, "IPAddress '10.0.0.9'\r\nHostName 'converted'\r\nnnhttpport '8080'\r\ndhcpwins\r\n");
    const fs::path converted = file("new.rmw");
    write(converted, before);
    succeed({"convert", old.string(), file("reference.rmw").string()});
    const std::string fresh = contents(file("reference.rmw"));
    const auto convertSound = [&] {
        const std::string now = contents(converted);
        return now == before || now == fresh;
    };
    EXPECT_EQ(killRepeatedly({"convert", old.string(), converted.string()}, convertSound, "convert")
                  .broken,
              0);
    EXPECT_TRUE(convertSound());
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "Office.rmw" || name == "old.cfg" || name == "new.rmw" ||
                    name == "reference.rmw")
            << name << " left behind";
    }
}

// Two configurations that differ from the machine's in different settings, so that two
// applies that each wrote only their own differences would leave a mix of both.
class TwoPlaces : public Durability {
  protected:
    void SetUp() override {
        const std::string current = state();
        home_ = file("Home.rmw");
        office_ = file("Office.rmw");
        start_ = file("Start.rmw");
        std::string home = withValue(current, "Domain", "home.example");
        // Navigator is installed on the Windows 98 laptop only.
        if (GetParam() == "win98") home = withValue(home, "NNHTTPPORT", "3128");
        write(home_, home);
        write(office_, withValue(withValue(current, "ComputerName", "OFFICE-PC"), "HostName",
                                 "office-host"));
        write(start_, current);
        homeState_ = stateAfterApplying(home_);
        officeState_ = stateAfterApplying(office_);
        startState_ = stateAfterApplying(start_);
        ASSERT_NE(homeState_, officeState_);
        ASSERT_NE(homeState_, startState_);
    }
    std::string stateAfterApplying(const fs::path& file) {
        succeed({"apply", file.string()});
        return state();
    }

    fs::path home_, office_, start_;
    std::string homeState_, officeState_, startState_;
};

TEST_P(TwoPlaces, ConcurrentAppliesEndInExactlyOneOfTheFiles) {
    for (int round = 0; round < 4; ++round) {
        succeed({"apply", start_.string()});
        std::vector<Background> applies;
        applies.emplace_back(testMachine_.folder(), Arguments{"apply", home_.string()});
        applies.emplace_back(testMachine_.folder(), Arguments{"apply", office_.string()});
        for (auto& apply : applies) EXPECT_EQ(apply.wait(), 0);
        const std::string end = state();
        EXPECT_TRUE(end == homeState_ || end == officeState_) << "round " << round << ":\n" << end;
    }
}

TEST_P(TwoPlaces, KilledAppliesLeaveTheMachineBeforeOrAfter) {
    if (killsPerKind(GetParam()) == 0) GTEST_SKIP() << "killed on this template in scripts/stress";
    std::uniform_int_distribution<std::size_t> pick(0, 2);
    const fs::path files[] = {home_, office_, start_};
    const auto sound = [&] {
        const std::string now = state();
        return now == homeState_ || now == officeState_ || now == startState_;
    };
    const auto runs = [&] { return Arguments{"apply", files[pick(random_)].string()}; };
    EXPECT_EQ(killRepeatedly(runs, sound, "apply").broken, 0);
    // Whatever the kills left, the next apply runs normally and nothing stays staged.
    EXPECT_EQ(stateAfterApplying(office_), officeState_);
    const fs::path staged = testMachine_.folder() / "state" / "staged";
    EXPECT_TRUE(!fs::exists(staged) || fs::is_empty(staged));
}

TEST_P(TwoPlaces, AnApplyThatWaitsInVainForAnotherChangesNothingAndSaysSo) {
    succeed({"apply", start_.string()});
    auto& lock = testMachine_.machine().applyLock();
    ASSERT_TRUE(lock.acquire(0));  // as another program's apply holds it
    const auto outcome = runner_.run({"apply", home_.string(), "--wait", "0.3"});
    lock.release();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("another program is applying a configuration to this machine; "
                               "gave up after waiting 0.3 seconds"),
              std::string::npos)
        << outcome.err;
    EXPECT_EQ(state(), startState_);
    EXPECT_EQ(stateAfterApplying(home_), homeState_);
}

INSTANTIATE_TEST_SUITE_P(Templates, Durability, ::testing::Values("win98", "nt4"));
INSTANTIATE_TEST_SUITE_P(Templates, TwoPlaces, ::testing::Values("win98", "nt4"));

}  // namespace
