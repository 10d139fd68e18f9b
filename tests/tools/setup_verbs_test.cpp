// rmwctl setup and uninstall with the package the build makes, on fresh machines of
// both templates: installed (the tray utility's lookup finds the installed main
// program, and that program starts), then removed without a trace.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "registry/clsEasyRegistry.h"
#include "tests/tools/RmwctlRunner.h"
#include "tray/MainProgramPath.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> listing(const fs::path& root) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.push_back(fs::relative(entry.path(), root).string() + (entry.is_directory() ? "/" : ""));
    std::sort(entries.begin(), entries.end());
    return entries;
}

constexpr const char* kInstallFolder = "C:\\Program Files\\Roamwise";

// The machine's system facts as the installed tray utility sees them: it runs from the
// folder setup put it in.
class InstalledUtility : public platform::SystemInfo {
  public:
    explicit InstalledUtility(platform::SystemInfo& machine) : machine_(machine) {}
    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* info) override { return machine_.GetVersionExA(info); }
    std::string GetWindowsDirectoryA() override { return machine_.GetWindowsDirectoryA(); }
    std::string GetSystemDirectoryA() override { return machine_.GetSystemDirectoryA(); }
    std::string programFolder() override { return kInstallFolder; }

  private:
    platform::SystemInfo& machine_;
};

// The main program the installed tray utility would start on the test's machine.
std::string mainProgramFoundByTheUtility(testsupport::TestMachine& machine) {
    platform::Services services = machine.services();
    InstalledUtility utility(*services.system);
    services.system = &utility;
    platform::ScopedServices scope(services);
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    return findMainProgram(registry);
}

// Runs the installed main program PROGRAM (a native file) against MACHINE to draw its
// windows into OUTPUT; its exit status, or -1 when it did not exit.
int drawScreenshots(const fs::path& program, const fs::path& machine, const fs::path& output) {
    const std::string command = "ROAMWISE_MACHINE='" + machine.string() + "' QT_QPA_PLATFORM=offscreen '" +
                                program.string() + "' --screenshot '" + output.string() + "' >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::size_t countOfPictures(const fs::path& folder) {
    return static_cast<std::size_t>(std::count_if(fs::directory_iterator(folder), fs::directory_iterator(), [](const auto& entry) {
        return entry.path().extension() == ".png" && entry.file_size() > 0;
    }));
}

class SetupVerbsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SetupVerbsTest, InstallsThePackageAndUninstallLeavesTheMachineAsItWas) {
    testsupport::TestMachine machine(GetParam());
    testsupport::RmwctlRunner rmwctl(machine.folder());
    const fs::path drive = machine.folder() / "drive_c";
    auto registry = [&] {
        return rmwctl.run({"reg", "export", "HKLM"}).out + rmwctl.run({"reg", "export", "HKCU"}).out;
    };
    const std::string registryBefore = registry();
    const auto filesBefore = listing(drive);

    const auto setup = rmwctl.run({"setup", std::string(std::getenv("ROAMWISE_TEST_BIN")) + "/RmwSetup", "--unattended"});
    ASSERT_EQ(setup.status, 0) << setup.err;
    EXPECT_NE(setup.out.find("Extracted "), std::string::npos);
    EXPECT_NE(setup.out.find("InstallHinfSection done"), std::string::npos) << setup.out;
    EXPECT_TRUE(fs::exists(drive / "Program Files" / "Roamwise" / "ReadMe.txt"));
    EXPECT_TRUE(fs::exists(drive / "Program Files" / "Roamwise" / "AddIns" / "hosts.so"));
    const auto installDir = rmwctl.run({"reg", "query", "HKCU\\SOFTWARE\\Roamwise", "--value", "InstallDir1"});
    EXPECT_NE(installDir.out.find("C:\\Program files\\Roamwise"), std::string::npos) << installDir.out;
    const auto entry = rmwctl.run({"reg", "query", "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Roamwise"});
    EXPECT_NE(entry.out.find("InstallHinfSection DefaultUninstall"), std::string::npos) << entry.out;
    const std::string programs = GetParam() == "nt4" ? "WINNT/Profiles/All Users/Start Menu/Programs/Roamwise/"
                                                     : "WINDOWS/Start Menu/Programs/Roamwise/";
    for (const char* link : {"Roamwise", "Roamwise File Converter", "Help", "Read Me", "Release Notes", "Uninstall Roamwise"})
        EXPECT_TRUE(fs::exists(drive / (programs + link + ".lnk"))) << link;

    // The installed tray utility finds the installed main program beside itself (the INF
    // writes no App Paths entry), and that program starts from where it lies.
    const std::string mainProgram = mainProgramFoundByTheUtility(machine);
    EXPECT_TRUE(platform::equalsIgnoringCase(mainProgram, platform::concat({kInstallFolder, "\\Rmw.exe"})))
        << mainProgram;
    const fs::path builtMainProgram = fs::path(std::getenv("ROAMWISE_TEST_BIN")) / "rmw";
    if (fs::exists(builtMainProgram)) {  // the package carries it whenever it was built
        const fs::path installed = platform::files().toNative(mainProgram);
        ASSERT_TRUE(fs::exists(installed)) << installed;
        EXPECT_EQ(fs::file_size(installed), fs::file_size(builtMainProgram));
        testsupport::TempFolder pictures;
        EXPECT_EQ(drawScreenshots(installed, machine.folder(), pictures.path()), 0);
        EXPECT_GT(countOfPictures(pictures.path()), 0U);
    }

    const auto uninstall = rmwctl.run({"uninstall"});
    EXPECT_EQ(uninstall.status, 0) << uninstall.err;
    EXPECT_EQ(registry(), registryBefore);
    EXPECT_EQ(listing(drive), filesBefore);
    EXPECT_EQ(rmwctl.run({"uninstall"}).status, 1);  // nothing left to uninstall
}

INSTANTIATE_TEST_SUITE_P(Templates, SetupVerbsTest, ::testing::Values("win98", "nt4"));

}  // namespace
