// Converting whole version-1 files on an emulated machine.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "converter/ConversionError.h"
#include "converter/ConvertFile.h"
#include "converter/ConvertLine.h"
#include "platform/Services.h"
#include "platform/Win32.h"
#include "tests/support/TestMachine.h"

namespace converter {
namespace {

const std::string kSource = "C:\\Roamwise\\office.v1";
const std::string kDestination = "C:\\Roamwise\\office.rmw";

class ConvertFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(platform::files().toNative("C:\\Roamwise"));
    }

    static void writeFile(const std::string& path, const std::string& contents) {
        ASSERT_TRUE(platform::files().writeWholeFile(path, contents));
    }
    static std::string readFile(const std::string& path) {
        std::ifstream file(platform::files().toNative(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static std::string valueOf(const std::string& section, const std::string& key) {
        return win32::GetPrivateProfileStringA(section, key, "<missing>", kDestination);
    }
    static std::size_t occurrences(const std::string& text, const std::string& part) {
        std::size_t count = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            ++count;
        }
        return count;
    }

    testsupport::TestMachine machine_{"win98"};
};

TEST_F(ConvertFileTest, EverySettingLandsInItsSection) {
    writeFile(kSource,
              "# Office settings, saved by Roamwise 1.0\r\n"
              "rmw_version '1.0'\r\n"
              "\r\n"
              "IPAddress '192.168.0.5'\r\n"
              "dhcpwins\r\n"
              "autoreboot\r\n"
              "ntlogon 'Yes'\r\n"
              "nnhttpport '8080'\r\n"
              "proxyserver 'web:80'\r\n"
              "colour 'red'\r\n"
              "DefaultPrinter 'HP LaserJet 4000 Series PCL'\r\n"
              "Comments 'Main office, floor 2'\r\n");
    convertFile(kSource, kDestination);

    const std::string converted = readFile(kDestination);
    EXPECT_EQ(converted.substr(0, versionTwoHeader().size()), versionTwoHeader());
    EXPECT_EQ(valueOf("Enabled Sections", "General"), "1");
    EXPECT_EQ(valueOf("Enabled Sections", "Internet Explorer"), "1");
    EXPECT_EQ(valueOf("Enabled Sections", "Netscape Navigator"), "1");
    EXPECT_EQ(valueOf("Network", "IPAddress"), "192.168.0.5");
    EXPECT_EQ(valueOf("Network", "WINS"), "1");
    EXPECT_EQ(valueOf("Network", "ntlogon"), "1");
    EXPECT_EQ(valueOf("Advanced", "AutoReboot"), "1");
    EXPECT_EQ(valueOf("Advanced", "Comments"), "Main office, floor 2");
    EXPECT_EQ(valueOf("Netscape Navigator", "nnhttpport"), "8080");
    EXPECT_EQ(valueOf("Internet Explorer", "proxyserver"), "web:80");
    EXPECT_EQ(valueOf("Printer", "DefaultPrinter"), "HP LaserJet 4000 Series PCL");
    EXPECT_EQ(converted.find("colour"), std::string::npos);
    EXPECT_EQ(converted.find("rmw_version"), std::string::npos);
    EXPECT_EQ(converted.find("# Office"), std::string::npos);
}

TEST_F(ConvertFileTest, SectionsFollowTheirFirstMention) {
    writeFile(kSource,
              "proxyserver 'web:80'\r\n"
              "IPAddress '10.0.0.7'\r\n"
              "autoapply\r\n"
              "nnhttpaddress 'web'\r\n"
              "proxyenable '1'\r\n"
              "DefaultPrinter 'Plotter'\r\n"
              "IPMask '255.0.0.0'\r\n");
    convertFile(kSource, kDestination);

    const std::string converted = readFile(kDestination);
    const char* order[] = {"[Enabled Sections]", "[Internet Explorer]",  "[Network]",
                           "[Advanced]",         "[Netscape Navigator]", "[Printer]"};
    std::size_t previous = 0;
    for (const char* header : order) {
        EXPECT_EQ(occurrences(converted, header), 1u) << header;
        const std::size_t at = converted.find(header);
        EXPECT_GE(at, previous) << header;
        previous = at;
    }
    EXPECT_EQ(valueOf("Internet Explorer", "proxyenable"), "1");
    EXPECT_EQ(valueOf("Network", "IPMask"), "255.0.0.0");
}

TEST_F(ConvertFileTest, KeywordGivenTwiceKeepsItsLastValue) {
    writeFile(kSource,
              "IPAddress '10.0.0.1'\r\n"
              "Hostname 'lt42'\r\n"
              "ipaddress '10.0.0.2'\r\n"
              "dhcpwins\r\n"
              "nodhcpwins\r\n");
    convertFile(kSource, kDestination);

    const std::string converted = readFile(kDestination);
    EXPECT_EQ(valueOf("Network", "IPAddress"), "10.0.0.2");
    EXPECT_EQ(valueOf("Network", "WINS"), "0");
    EXPECT_EQ(occurrences(converted, "10.0.0"), 1u);
    EXPECT_EQ(occurrences(converted, "WINS="), 1u);
}

TEST_F(ConvertFileTest, LinesEndingInLfOrCrAloneAreSeparateSettings) {
    writeFile(kSource, "IPAddress '10.0.0.1'\nHostname 'lt42'\nautoapply\n");
    convertFile(kSource, kDestination);
    EXPECT_EQ(valueOf("Network", "IPAddress"), "10.0.0.1");
    EXPECT_EQ(valueOf("Network", "Hostname"), "lt42");
    EXPECT_EQ(valueOf("Advanced", "AutoApply"), "1");

    writeFile(kSource, "IPMask '255.255.0.0'\rDomain 'corp.example'\rComments 'old Mac'");
    convertFile(kSource, kDestination);
    EXPECT_EQ(valueOf("Network", "IPMask"), "255.255.0.0");
    EXPECT_EQ(valueOf("Network", "Domain"), "corp.example");
    EXPECT_EQ(valueOf("Advanced", "Comments"), "old Mac");
    // A fresh file each time: nothing of the first conversion is left.
    EXPECT_EQ(valueOf("Network", "IPAddress"), "<missing>");
}

TEST_F(ConvertFileTest, ConvertingOverAnExistingFileReplacesAllOfIt) {
    writeFile(kDestination, "[Old Add-In]\r\nColour=red\r\n[Network]\r\nIPAddress=1.1.1.1\r\n");
    writeFile(kSource, "# nothing but comments\r\nrmw_version '1.0'\r\n");
    convertFile(kSource, kDestination);
    EXPECT_EQ(readFile(kDestination), versionTwoHeader());
}

TEST_F(ConvertFileTest, TheSourceIsOnlyRead) {
    const std::string original = "IPAddress '10.0.0.1'\r\nautoreboot\r\n";
    writeFile(kSource, original);
    convertFile(kSource, kDestination);
    EXPECT_EQ(readFile(kSource), original);
}

TEST_F(ConvertFileTest, FailuresNameTheCauseAndWriteNothing) {
    const std::string previous = "[Network]\r\nIPAddress=1.1.1.1\r\n";
    writeFile(kDestination, previous);
    const auto failure = [](const std::string& source, const std::string& destination) {
        try {
            convertFile(source, destination);
        } catch (const ConversionError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };

    EXPECT_EQ(failure("C:\\Roamwise\\missing.v1", kDestination), kSourceNotFound);
    EXPECT_EQ(failure("", kDestination), kSourceNotFound);
    EXPECT_EQ(failure("C:\\Roamwise", kDestination), kSourceNotFound);
    EXPECT_EQ(readFile(kDestination), previous);

    const std::string original = "IPAddress '10.0.0.1'\r\n";
    writeFile(kSource, original);
    EXPECT_EQ(failure(kSource, ""), kDestinationMissing);
    EXPECT_EQ(failure(kSource, "  "), kDestinationMissing);
    EXPECT_EQ(failure(kSource, "c:\\ROAMWISE\\Office.V1"), kDestinationIsSource);
    EXPECT_EQ(readFile(kSource), original);

    const std::string unreachable = "C:\\No Such Folder\\office.rmw";
    EXPECT_EQ(failure(kSource, unreachable), kDestinationUncreatable);
    EXPECT_FALSE(platform::files().fileExists(unreachable));
    EXPECT_EQ(failure(kSource, "C:\\Roamwise"), kDestinationUncreatable);
}

TEST_F(ConvertFileTest, ConvertLineAddsToAnExistingFile) {
    writeFile(kDestination, versionTwoHeader());
    convertLine(kDestination, "Workgroup 'HARBOURLINE'");
    convertLine(kDestination, "# not a setting");
    convertLine(kDestination, "colour 'red'");
    EXPECT_EQ(valueOf("Network", "Workgroup"), "HARBOURLINE");
    EXPECT_EQ(readFile(kDestination).find("colour"), std::string::npos);
}

}  // namespace
}  // namespace converter
