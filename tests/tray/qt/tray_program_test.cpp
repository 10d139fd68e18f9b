// The RmwSysTray program end to end, on Qt's offscreen platform: a right click on its
// icon and a recent file chosen from the menu (through its test-only control channel)
// start the main program, here a stand-in that records its command line; a second
// start while it runs exits at once.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/emulated/Machine.h"
#include "registry/clsEasyRegistry.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

class TrayProgramTest : public ::testing::Test {
  protected:
    TrayProgramTest() {
        fs::create_directories(runtime());
        fs::permissions(runtime(), fs::perms::owner_all);
        auto machine = platform::emulated::Machine::create(machineFolder(), "win98");
        platform::ScopedServices scope(machine->services());
        // The main program is a stand-in that writes its arguments, one a line.
        std::ofstream(standIn()) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\"\n"
                                    "mv \"$0.args.tmp\" \"$0.args\"\n";
        fs::permissions(standIn(), fs::perms::owner_all);
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");
        registry.MakeKey("rmw.exe");
        registry.Cd("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\rmw.exe");
        registry.ValueOf("", clsEasyRegistry::STRING, platform::files().toWindows(standIn()));
        const char* recent[] = {"C:\\Cfg\\Office.rmw", "C:\\Cfg\\Home.rmw", "C:\\Cfg\\Customer.rmw"};
        for (int i = 0; i < 3; ++i)
            SettingsStore().SaveSetting(kAppName, "Recent", std::to_string(i + 1) + "File", recent[i]);
    }

    fs::path machineFolder() const { return folder_.path() / "machine"; }
    fs::path runtime() const { return folder_.path() / "runtime"; }
    fs::path standIn() const { return folder_.path() / "rmw-stand-in"; }

    // The shell command that runs the utility with the test channel open.
    std::string trayCommand(const std::string& output) const {
        const char* bin = std::getenv("ROAMWISE_TEST_BIN");
        EXPECT_NE(bin, nullptr) << "ROAMWISE_TEST_BIN names the folder of RmwSysTray";
        return platform::concat(
            {"ROAMWISE_MACHINE=", quoted(machineFolder().string()), " XDG_RUNTIME_DIR=",
             quoted(runtime().string()),
             " QT_QPA_PLATFORM=offscreen ROAMWISE_TRAY_TEST_CONTROL=1 timeout 60 ",
             quoted(std::string(bin == nullptr ? "." : bin) + "/RmwSysTray"), " >",
             quoted((folder_.path() / output).string()), " 2>",
             quoted((folder_.path() / (output + ".err")).string())});
    }
    std::string trayIconActive() const {
        auto machine = platform::emulated::Machine::open(machineFolder());
        platform::ScopedServices scope(machine->services());
        return SettingsStore().GetSetting(kAppName, "Options", "TrayIconActive", "missing");
    }
    std::string output(const std::string& name) const { return contents(folder_.path() / name); }

    testsupport::TempFolder folder_;
};

TEST_F(TrayProgramTest, ARecentFileFromTheIconsMenuStartsTheMainProgramWithIt) {
    FILE* tray = ::popen(trayCommand("first.out").c_str(), "w");
    ASSERT_NE(tray, nullptr);
    // The utility is up once it has said so in the store.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (trayIconActive() != "1" && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(trayIconActive(), "1") << output("first.out.err");

    // A second start finds the first one and leaves quietly.
    EXPECT_EQ(std::system((trayCommand("second.out") + " </dev/null").c_str()), 0);
    EXPECT_EQ(output("second.out"), "");

    std::fputs("icon 517\nchoose mnuFileRecent_2\nicon 517\nchoose mnuClose\n", tray);
    std::fflush(tray);
    const int status = ::pclose(tray);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << output("first.out.err");
    EXPECT_EQ(output("first.out"),
              "ok icon 517\nok choose mnuFileRecent_2\nok icon 517\nok choose mnuClose\n");
    EXPECT_EQ(trayIconActive(), "0");

    const fs::path arguments = standIn().string() + ".args";
    for (int waited = 0; !fs::exists(arguments) && waited < 200; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(contents(arguments), "\"C:\\Cfg\\Home.rmw\",\"Home.rmw\"\n");
}

}  // namespace
