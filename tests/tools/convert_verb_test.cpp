// rmwctl convert, run as a program against a throw-away machine.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TestMachine.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readNative(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeNative(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

class ConvertVerbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* bin = std::getenv("ROAMWISE_TEST_BIN");
        ASSERT_NE(bin, nullptr) << "ROAMWISE_TEST_BIN names the folder of rmwctl";
        program_ = std::string(bin) + "/rmwctl";
    }

    Outcome rmwctl(const std::string& arguments) {
        const auto out = work_.path() / "stdout";
        const auto err = work_.path() / "stderr";
        const std::string command = "ROAMWISE_MACHINE=" + shellQuoted(machine_.folder().string()) +
                                    " " + shellQuoted(program_) + " " + arguments + " >" +
                                    shellQuoted(out.string()) + " 2>" + shellQuoted(err.string());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readNative(out), readNative(err)};
    }
    std::filesystem::path file(const std::string& name) const { return work_.path() / name; }

    testsupport::TestMachine machine_{"win98"};
    testsupport::TempFolder work_;
    std::string program_;
};

TEST_F(ConvertVerbTest, ConvertsAndReportsCompletion) {
    writeNative(file("home.v1"), "IPAddress '10.1.1.9'\nautoapply\nproxyserver 'web:80'\n");
    const Outcome outcome = rmwctl("convert " + shellQuoted(file("home.v1").string()) + " " +
                                   shellQuoted(file("home.rmw").string()));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Conversion complete.\n");
    const std::string converted = readNative(file("home.rmw"));
    const std::string header =
        ";--------------------------------------------\r\n"
        "; Roamwise Configuration File\r\n"
        "; Version 2\r\n"
        ";\r\n"
        ";--------------------------------------------\r\n"
        "\r\n"
        "[Enabled Sections]\r\n"
        "General=1\r\n"
        "Internet Explorer=1\r\n"
        "Netscape Navigator=1\r\n";
    EXPECT_EQ(converted.substr(0, header.size()), header);
    EXPECT_NE(converted.find("IPAddress=10.1.1.9"), std::string::npos);
    EXPECT_NE(converted.find("AutoApply=1"), std::string::npos);
    EXPECT_NE(converted.find("proxyserver=web:80"), std::string::npos);
}

TEST_F(ConvertVerbTest, ConvertsFilesOnTheMachinesDrive) {
    const auto native = machine_.machine().driveC() / "office.v1";
    writeNative(native, "Hostname 'lt42'\r\n");
    const Outcome outcome = rmwctl("convert 'C:\\office.v1' 'C:\\office.rmw'");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(readNative(machine_.machine().driveC() / "office.rmw").find("Hostname=lt42"),
              std::string::npos);
}

TEST_F(ConvertVerbTest, MissingSourceFailsWithTheConvertersMessage) {
    writeNative(file("keep.rmw"), "[Network]\r\nIPAddress=1.1.1.1\r\n");
    const Outcome outcome = rmwctl("convert " + shellQuoted(file("absent.v1").string()) + " " +
                                   shellQuoted(file("keep.rmw").string()));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Cannot find source configuration file.  Please check path."),
              std::string::npos)
        << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(readNative(file("keep.rmw")), "[Network]\r\nIPAddress=1.1.1.1\r\n");
}

TEST_F(ConvertVerbTest, UncreatableDestinationFails) {
    writeNative(file("home.v1"), "Hostname 'lt42'\n");
    const Outcome outcome = rmwctl("convert " + shellQuoted(file("home.v1").string()) + " " +
                                   shellQuoted(file("no-such-folder/home.rmw").string()));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Cannot create destination configuration file."), std::string::npos)
        << outcome.err;
}

TEST_F(ConvertVerbTest, WrongArgumentCountIsAUsageError) {
    EXPECT_EQ(rmwctl("convert").status, 2);
    EXPECT_EQ(rmwctl("convert only-one").status, 2);
    EXPECT_EQ(rmwctl("convert a b c").status, 2);
}

}  // namespace
