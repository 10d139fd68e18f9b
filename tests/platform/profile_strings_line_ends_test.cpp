// Writes into configuration files made elsewhere: a file with LF line ends or a UTF-8
// byte-order mark keeps them on every line the write does not concern.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/emulated/MachinePaths.h"
#include "platform/emulated/ProfileFiles.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::MachinePaths;
using platform::emulated::ProfileFiles;

class ProfileLineEndsTest : public ::testing::Test {
  protected:
    ProfileLineEndsTest() { fs::create_directories(temp.path() / "drive_c" / "WINDOWS"); }

    void writeBytes(const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string readBytes() const {
        std::ifstream stream(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << stream.rdbuf();
        return bytes.str();
    }
    int set(const std::string& section, const std::string& key, const std::string& value) {
        return profiles.WritePrivateProfileStringA(section, key, value, file.string());
    }
    std::string get(const std::string& section, const std::string& key) {
        return profiles.GetPrivateProfileStringA(section, key, "<default>", file.string());
    }

    testsupport::TempFolder temp;
    MachinePaths paths{temp.path() / "drive_c"};
    ProfileFiles profiles{paths, "C:\\WINDOWS\\win.ini"};
    fs::path file = temp.path() / "Linux.rmw";
};

TEST_F(ProfileLineEndsTest, AByteOrderMarkAndLfLinesSurviveWrites) {
    const std::string bom = "\xEF\xBB\xBF";
    writeBytes(bom + "[Network]\nIPAddress=10.0.0.2\n\n[Printer]\nDefaultPrinter=HP\n");

    ASSERT_EQ(1, set("network", "ipaddress", "10.0.0.3"));
    ASSERT_EQ(1, set("Network", "Host", "roamer"));
    ASSERT_EQ(1, set("Printer", "DefaultPrinter", "Epson"));
    const std::string text = readBytes();
    EXPECT_EQ(text.substr(0, bom.size() + 10), bom + "[Network]\n") << text;
    EXPECT_EQ(text.find(bom, 1), std::string::npos) << "one byte-order mark only";
    EXPECT_NE(text.find("\n\n[Printer]\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("[Network]", bom.size() + 1), std::string::npos) << "no second section";
    EXPECT_EQ(get("Network", "IPAddress"), "10.0.0.3");
    EXPECT_EQ(get("Network", "Host"), "roamer");
    EXPECT_EQ(get("Printer", "DefaultPrinter"), "Epson");

    // A section that is new goes after the last line, which had no line end of its own.
    writeBytes(bom + "[Network]\nIPAddress=10.0.0.2");
    ASSERT_EQ(1, set("Advanced", "AutoApply", "1"));
    EXPECT_EQ(readBytes(), bom + "[Network]\nIPAddress=10.0.0.2\r\n[Advanced]\r\nAutoApply=1\r\n");
}

// A CR alone ends a line, as Windows reads these files: CR-only files read line by line,
// and a line ended by CR CR LF gives its value without a CR, so that it neither reaches
// the registry nor changes on every load and save.
TEST_F(ProfileLineEndsTest, ACarriageReturnAloneEndsALine) {
    writeBytes("[cr]\rk1=v1\rk3=v3\r");
    EXPECT_EQ(get("cr", "k1"), "v1");
    EXPECT_EQ(get("CR", "k3"), "v3");
    ASSERT_EQ(1, set("cr", "k1", "w1"));
    EXPECT_EQ(readBytes(), "[cr]\rk1=w1\rk3=v3\r");

    const std::string doubled = "[Internet Explorer]\r\nProxyServer=proxy.corp:8080\r\r\nNext=1\r\n";
    writeBytes(doubled);
    EXPECT_EQ(get("Internet Explorer", "ProxyServer"), "proxy.corp:8080");
    EXPECT_EQ(get("Internet Explorer", "Next"), "1");
    ASSERT_EQ(1, set("Internet Explorer", "ProxyServer", "proxy.corp:8080"));
    EXPECT_EQ(readBytes(), doubled) << "writing the value read back changes nothing";
}

// Reading drops blanks at either end and one pair of quotes; a value holding such
// blanks or quotes is written in quotes, so it reads back as written and a file keeps
// it through any number of loads and saves.
TEST_F(ProfileLineEndsTest, ValuesReadBackAsWritten) {
    for (const std::string value : {"  padded  ", "\"quoted\"", "'single'", "\"\"twice\"\"", "plain"}) {
        ASSERT_EQ(1, set("Advanced", "Comments", value));
        EXPECT_EQ(get("Advanced", "Comments"), value);
    }
    EXPECT_EQ(readBytes(), "[Advanced]\r\nComments=plain\r\n");
    ASSERT_EQ(1, set("Advanced", "Comments", "\"quoted\""));
    EXPECT_EQ(readBytes(), "[Advanced]\r\nComments=\"\"quoted\"\"\r\n");
}

}  // namespace
