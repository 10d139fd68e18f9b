// rmwctl setup and uninstall with the package the build makes, on fresh machines of
// both templates: installed, then removed without a trace.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/tools/RmwctlRunner.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> listing(const fs::path& root) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.push_back(fs::relative(entry.path(), root).string() + (entry.is_directory() ? "/" : ""));
    std::sort(entries.begin(), entries.end());
    return entries;
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
    const auto installDir = rmwctl.run({"reg", "query", "HKCU\\SOFTWARE\\Roamwise", "--value", "InstallDir1"});
    EXPECT_NE(installDir.out.find("C:\\Program files\\Roamwise"), std::string::npos) << installDir.out;
    const auto entry = rmwctl.run({"reg", "query", "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Roamwise"});
    EXPECT_NE(entry.out.find("InstallHinfSection DefaultUninstall"), std::string::npos) << entry.out;
    const std::string programs = GetParam() == "nt4" ? "WINNT/Profiles/All Users/Start Menu/Programs/Roamwise/"
                                                     : "WINDOWS/Start Menu/Programs/Roamwise/";
    for (const char* link : {"Roamwise", "Roamwise File Converter", "Help", "Read Me", "Release Notes", "Uninstall Roamwise"})
        EXPECT_TRUE(fs::exists(drive / (programs + link + ".lnk"))) << link;

    const auto uninstall = rmwctl.run({"uninstall"});
    EXPECT_EQ(uninstall.status, 0) << uninstall.err;
    EXPECT_EQ(registry(), registryBefore);
    EXPECT_EQ(listing(drive), filesBefore);
    EXPECT_EQ(rmwctl.run({"uninstall"}).status, 1);  // nothing left to uninstall
}

INSTANTIATE_TEST_SUITE_P(Templates, SetupVerbsTest, ::testing::Values("win98", "nt4"));

}  // namespace
