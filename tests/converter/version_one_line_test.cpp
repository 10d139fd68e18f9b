// How single version-1 lines turn into version-2 settings, and how files split into lines.

#include <gtest/gtest.h>

#include "converter/SettingSections.h"
#include "converter/VersionOneLine.h"
#include "platform/AsciiText.h"

namespace converter {
namespace {

using Setting = ConvertedSetting;

TEST(VersionOneLine, CommentsBlankLinesAndTheVersionLineGiveNothing) {
    for (const char* line : {"# comment", "", "   ", "\t", "rmw_version '1.0'",
                             "  RMW_Version '1.2'", "  #IPAddress '1.2.3.4'"}) {
        EXPECT_EQ(readVersionOneLine(line), std::nullopt) << '"' << line << '"';
    }
}

TEST(VersionOneLine, QuotedValuesKeepTheKeywordAsWritten) {
    EXPECT_EQ(readVersionOneLine("IPAddress '192.168.0.5'"),
              (Setting{"Network", "IPAddress", "192.168.0.5"}));
    EXPECT_EQ(readVersionOneLine("nnhttpport '8080'"),
              (Setting{"Netscape Navigator", "nnhttpport", "8080"}));
    EXPECT_EQ(readVersionOneLine("proxyserver 'web:80'"),
              (Setting{"Internet Explorer", "proxyserver", "web:80"}));
    EXPECT_EQ(readVersionOneLine("DefaultPrinter 'HP LaserJet 4, Floor 2'"),
              (Setting{"Printer", "DefaultPrinter", "HP LaserJet 4, Floor 2"}));
    EXPECT_EQ(readVersionOneLine("  Comments '  it's the office  '  "),
              (Setting{"Advanced", "Comments", "it's the office"}));
}

TEST(VersionOneLine, ValueLessKeywordsStandForFixedSwitches) {
    EXPECT_EQ(readVersionOneLine("dhcpwins"), (Setting{"Network", "WINS", "1"}));
    EXPECT_EQ(readVersionOneLine("NoDhcpWins"), (Setting{"Network", "WINS", "0"}));
    EXPECT_EQ(readVersionOneLine("AUTOAPPLY"), (Setting{"Advanced", "AutoApply", "1"}));
    EXPECT_EQ(readVersionOneLine(" autoreboot "), (Setting{"Advanced", "AutoReboot", "1"}));
    // A value given to a value-less keyword is ignored.
    EXPECT_EQ(readVersionOneLine("autoreboot 'no'"), (Setting{"Advanced", "AutoReboot", "1"}));
}

TEST(VersionOneLine, LogonAnswerBecomesASwitch) {
    EXPECT_EQ(readVersionOneLine("ntlogon 'Yes'"), (Setting{"Network", "ntlogon", "1"}));
    EXPECT_EQ(readVersionOneLine("NTLogon 'YES'"), (Setting{"Network", "NTLogon", "1"}));
    EXPECT_EQ(readVersionOneLine("ntlogon 'no'"), (Setting{"Network", "ntlogon", "0"}));
    EXPECT_EQ(readVersionOneLine("ntlogon '1'"), (Setting{"Network", "ntlogon", "0"}));
    EXPECT_EQ(readVersionOneLine("ntlogon"), (Setting{"Network", "ntlogon", "0"}));
}

TEST(VersionOneLine, KeywordsOfNoSectionAreDropped) {
    EXPECT_EQ(readVersionOneLine("colour 'red'"), std::nullopt);
    // A line that starts with its quote has no keyword at all.
    EXPECT_EQ(readVersionOneLine("'192.168.0.5'"), std::nullopt);
}

TEST(VersionOneLine, UnusualQuotingKeepsTheWholeValue) {
    // No quote at all: the keyword alone, with an empty value.
    EXPECT_EQ(readVersionOneLine("Hostname"), (Setting{"Network", "Hostname", ""}));
    // Blanks after the closing quote are not part of the value.
    EXPECT_EQ(readVersionOneLine("Hostname 'lt42'   \t"), (Setting{"Network", "Hostname", "lt42"}));
    // A missing closing quote costs no character of the value.
    EXPECT_EQ(readVersionOneLine("Hostname 'lt42"), (Setting{"Network", "Hostname", "lt42"}));
    EXPECT_EQ(readVersionOneLine("Domain ''"), (Setting{"Network", "Domain", ""}));
    EXPECT_EQ(readVersionOneLine("Domain '"), (Setting{"Network", "Domain", ""}));
    // Only the last quote closes the value.
    EXPECT_EQ(readVersionOneLine("Comments 'say 'hi''"),
              (Setting{"Advanced", "Comments", "say 'hi'"}));
    EXPECT_EQ(readVersionOneLine("Domain\t'corp.example'"),
              (Setting{"Network", "Domain", "corp.example"}));
}

TEST(SettingSections, FirstListHoldingTheKeyWins) {
    EXPECT_EQ(sectionForKey("NameServer2"), "Network");
    EXPECT_EQ(sectionForKey("EnableDNS"), "Network");
    // Fragments of the list text count as well.
    EXPECT_EQ(sectionForKey("dns"), "Network");
    EXPECT_EQ(sectionForKey("ip"), "Network");
    // "proxyenable" is part of "nnproxyenable" too, but Internet Explorer comes first.
    EXPECT_EQ(sectionForKey("ProxyEnable"), "Internet Explorer");
    EXPECT_EQ(sectionForKey("NNPROXYENABLE"), "Netscape Navigator");
    EXPECT_EQ(sectionForKey("comments"), "Advanced");
    EXPECT_EQ(sectionForKey("defaultprinter"), "Printer");
    EXPECT_EQ(sectionForKey("colour"), std::nullopt);
    EXPECT_EQ(sectionForKey(""), std::nullopt);
}

TEST(AsciiText, LinesEndAtCrLfCrOrLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(platform::splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(platform::splitLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(platform::splitLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(platform::splitLines("a\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(platform::splitLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(platform::splitLines(""), Lines{});
    EXPECT_EQ(platform::splitLines("last"), (Lines{"last"}));
}

}  // namespace
}  // namespace converter
