// The hosts add-in as a user meets it: registered with rmwctl, its entries kept in two
// configuration files, and the machine's HOSTS file following rmwctl apply while every
// line the add-in does not own stays as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/tools/RmwctlRunner.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FILE with the value of its key NAME replaced by VALUE.
void setValue(const fs::path& file, const std::string& name, const std::string& value) {
    std::string text = bytesOf(file);
    const auto start = text.find("\n" + name + "=") + name.size() + 2;
    ASSERT_NE(start, std::string::npos + name.size() + 2);
    text.replace(start, text.find('\r', start) - start, value);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

void append(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::app) << text;
}

class HostsAddIn : public ::testing::TestWithParam<const char*> {
  protected:
    fs::path hostsFile() {
        const fs::path drive = machine_.machine().driveC();
        return std::string(GetParam()) == "nt4"
                   ? drive / "WINNT" / "system32" / "drivers" / "etc" / "hosts"
                   : drive / "WINDOWS" / "HOSTS";
    }
    testsupport::RmwctlOutcome succeed(const std::vector<std::string>& arguments) {
        auto outcome = runner_.run(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        return outcome;
    }
    fs::path saved(const std::string& name) { return machine_.machine().driveC() / name; }

    testsupport::TestMachine machine_{GetParam()};
    testsupport::RmwctlRunner runner_{machine_.folder()};
};

TEST_P(HostsAddIn, TwoPlacesSwitchTheHostsBlockAndKeepEveryOtherLine) {
    const std::string original = bytesOf(hostsFile());
    ASSERT_FALSE(original.empty());
    succeed({"addin", "register", ROAMWISE_HOSTS_ADDIN, "--name", "Hosts"});
    EXPECT_NE(succeed({"addin", "list"}).out.find("Hosts\tRoamwise.Hosts\t*\ton\t"),
              std::string::npos);

    succeed({"save", "C:\\Office.rmw"});
    succeed({"save", "C:\\Home.rmw"});
    succeed({"save", "C:\\Broken.rmw"});
    append(saved("Office.rmw"),
           "[Hosts Add-In]\r\nHost1=10.1.2.3 fileserver fs.office # Office file server\r\n"
           "Host2=10.1.2.4 printer\r\n");
    append(saved("Home.rmw"), "[Hosts Add-In]\r\nHost1=192.168.0.20 nas\r\n");
    setValue(saved("Broken.rmw"), "HostName", "broken");
    append(saved("Broken.rmw"), "[Hosts Add-In]\r\nHost1=10.1.2.300 bad name\r\n");

    succeed({"apply", "C:\\Office.rmw"});
    std::string hosts = bytesOf(hostsFile());
    EXPECT_EQ(hosts.substr(0, original.size()), original);
    EXPECT_NE(hosts.find("10.1.2.3 "), std::string::npos) << hosts;
    EXPECT_NE(hosts.find("fs.office"), std::string::npos) << hosts;
    EXPECT_NE(hosts.find("10.1.2.4 "), std::string::npos) << hosts;

    succeed({"apply", "C:\\Home.rmw"});
    hosts = bytesOf(hostsFile());
    EXPECT_EQ(hosts.substr(0, original.size()), original);
    EXPECT_EQ(hosts.find("10.1.2."), std::string::npos) << "the office's entries are gone";
    EXPECT_NE(hosts.find("192.168.0.20 "), std::string::npos) << hosts;

    // A bad entry refuses the whole apply: HOSTS and the machine stay as they were.
    const std::string before = succeed({"show"}).out;
    const auto refused = runner_.run({"apply", "C:\\Broken.rmw"});
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("10.1.2.300"), std::string::npos) << refused.err;
    EXPECT_EQ(bytesOf(hostsFile()), hosts);
    EXPECT_EQ(succeed({"show"}).out, before);

    // Switched off, the add-in neither writes its block nor its section any more.
    succeed({"addin", "disable", "Hosts"});
    succeed({"apply", "C:\\Office.rmw"});
    EXPECT_EQ(bytesOf(hostsFile()), hosts);
    succeed({"save", "C:\\Later.rmw"});
    EXPECT_EQ(bytesOf(saved("Later.rmw")).find("[Hosts Add-In]"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Templates, HostsAddIn, ::testing::Values("win98", "nt4"));

}  // namespace
