// rmwctl profile get and set, run as a program against a throw-away machine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

namespace fs = std::filesystem;

std::string readNative(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ProfileVerbsTest : public ::testing::Test {
  protected:
    testsupport::TestMachine machine{"win98"};
    testsupport::TempFolder work;
    testsupport::RmwctlRunner rmwctl{machine.folder()};
    std::string file = (work.path() / "Office.rmw").string();
};

TEST_F(ProfileVerbsTest, SetThenGetARoundTrip) {
    auto outcome = rmwctl.run({"profile", "set", file, "Network", "IPAddress", "10.0.0.7"});
    ASSERT_EQ(0, outcome.status) << outcome.err;
    EXPECT_EQ("[Network]\r\nIPAddress=10.0.0.7\r\n", readNative(file));
    outcome = rmwctl.run({"profile", "get", file, "network", "ipaddress"});
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_EQ("10.0.0.7\n", outcome.out);
}

TEST_F(ProfileVerbsTest, AnEmptyValueIsAValueAndNoValueDeletesTheKey) {
    ASSERT_EQ(0, rmwctl.run({"profile", "set", file, "Advanced", "Comments", ""}).status);
    ASSERT_EQ(0, rmwctl.run({"profile", "set", file, "Advanced", "AutoApply", "1"}).status);
    auto outcome = rmwctl.run({"profile", "get", file, "Advanced", "Comments"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("\n", outcome.out);
    ASSERT_EQ(0, rmwctl.run({"profile", "set", file, "Advanced", "Comments"}).status);
    EXPECT_EQ("[Advanced]\r\nAutoApply=1\r\n", readNative(file));
    EXPECT_EQ(1, rmwctl.run({"profile", "get", file, "Advanced", "Comments"}).status);
}

TEST_F(ProfileVerbsTest, MissingKeysAndFilesExitWithOne) {
    auto outcome = rmwctl.run({"profile", "get", file, "Network", "IPAddress"});
    EXPECT_EQ(1, outcome.status);
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_NE(std::string::npos, outcome.err.find("no such file")) << outcome.err;
    rmwctl.run({"profile", "set", file, "Network", "Host", "roamer"});
    outcome = rmwctl.run({"profile", "get", file, "Network", "IPAddress"});
    EXPECT_EQ(1, outcome.status);
    EXPECT_NE(std::string::npos, outcome.err.find("no key 'IPAddress'")) << outcome.err;
    outcome =
        rmwctl.run({"profile", "set", (work.path() / "no" / "x.rmw").string(), "S", "k", "v"});
    EXPECT_EQ(1, outcome.status);
    EXPECT_NE(std::string::npos, outcome.err.find("cannot write")) << outcome.err;
}

TEST_F(ProfileVerbsTest, MachinePathsReachTheMachinesDrive) {
    ASSERT_EQ(0, rmwctl
                     .run({"profile", "set", "c:\\windows\\WIN.INI", "windows", "device",
                           "Office Laser,HPPCL5MS,LPT1:"})
                     .status);
    EXPECT_EQ("Office Laser,HPPCL5MS,LPT1:",
              machine.services().profiles->GetProfileStringA("Windows", "Device", ""));
}

TEST_F(ProfileVerbsTest, WrongArgumentsAreUsageErrors) {
    EXPECT_EQ(2, rmwctl.run({"profile"}).status);
    EXPECT_EQ(2, rmwctl.run({"profile", "get", file, "S"}).status);
    EXPECT_EQ(2, rmwctl.run({"profile", "set", file, "S"}).status);
    EXPECT_EQ(2, rmwctl.run({"profile", "set", file, "S", "k", "v", "extra"}).status);
    EXPECT_EQ(2, rmwctl.run({"profile", "delete", file, "S", "k"}).status);
    EXPECT_FALSE(fs::exists(file));
}

}  // namespace
