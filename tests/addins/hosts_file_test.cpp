// applySettings and the machine's HOSTS file: where it is, the block it rewrites, and the
// bytes around the block it keeps.

#include <gtest/gtest.h>

#include "AddInHarness.h"

namespace addintest {
namespace {

const std::string kConfig = "C:\\office.rmw";
const std::string kBegin =
    "# Roamwise hosts add-in: begin - Roamwise rewrites the lines down to the end marker";
const std::string kEnd = "# Roamwise hosts add-in: end";

class HostsFile : public ::testing::Test {
  protected:
    // Applies a configuration holding ENTRIES (Host<n> lines) with the HOSTS file BEFORE
    // (nothing when empty: no file); returns the outcome.
    Outcome apply(const std::string& before, const std::vector<std::string>& entries) {
        if (!before.empty()) writeBytes(hosts(), before);
        std::string section = "[Hosts Add-In]\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            section += "Host" + std::to_string(i + 1) + "=" + entries[i] + "\r\n";
        }
        writeBytes(host.native(kConfig), section);
        HostsObject addIn(host);
        const Outcome loaded = addIn.callWithPath("loadSettings", kConfig);
        if (loaded.status != RMW_OK) return loaded;
        return addIn.call("applySettings");
    }
    std::filesystem::path hosts() {
        return host.native(host.systemDirectory.ends_with("system32")
                               ? host.systemDirectory + "\\drivers\\etc\\HOSTS"
                               : host.windowsDirectory + "\\HOSTS");
    }
    std::string after() { return readBytes(hosts()); }

    FakeHost host;
};

TEST_F(HostsFile, AppendsTheBlockKeepingEveryLineAndTheFilesLineEnds) {
    const std::string crlf = "# sample\r\n127.0.0.1       localhost\r\n";
    ASSERT_EQ(apply(crlf, {"10.0.0.1 files fs # office"}).status, RMW_OK);
    EXPECT_EQ(after(), crlf + kBegin + "\r\n10.0.0.1        files fs  # office\r\n" + kEnd + "\r\n");

    const std::string lf = "127.0.0.1 localhost\n# last line without end";
    ASSERT_EQ(apply(lf, {"10.0.0.1 files"}).status, RMW_OK);
    EXPECT_EQ(after(), lf + "\n" + kBegin + "\n10.0.0.1        files\n" + kEnd + "\n");
}

TEST_F(HostsFile, ReplacesTheBlockWhereverItIsAndLeavesTheRestByteForByte) {
    const std::string head = "# head\r\n127.0.0.1 localhost\n\r\n";
    const std::string tail = "\t10.1.1.1 user-entry  \r\n# no end";
    const std::string oldBlock = "  " + kBegin.substr(0, 30) + " (old wording)\r\n9.9.9.9 old\r\n" +
                                 "# a comment inside\r\n" + kEnd + " \r\n";
    ASSERT_EQ(apply(head + oldBlock + tail, {"10.0.0.2 two", "::1 six"}).status, RMW_OK);
    const std::string newBlock =
        kBegin + "\r\n10.0.0.2        two\r\n::1             six\r\n" + kEnd + "\r\n";
    EXPECT_EQ(after(), head + newBlock + tail);

    ASSERT_EQ(apply({}, {"10.0.0.3 three"}).status, RMW_OK);  // applied again: same place
    EXPECT_EQ(after(), head + kBegin + "\r\n10.0.0.3        three\r\n" + kEnd + "\r\n" + tail);

    const std::string endsWithBlock = "127.0.0.1 localhost\n" + kBegin + "\n1.1.1.1 a\n" + kEnd;
    ASSERT_EQ(apply(endsWithBlock, {"2.2.2.2 b"}).status, RMW_OK);
    EXPECT_EQ(after(), "127.0.0.1 localhost\n" + kBegin + "\n2.2.2.2         b\n" + kEnd);
}

TEST_F(HostsFile, AnEmptyListRemovesTheBlockAndTouchesNothingWithoutOne) {
    const std::string around = "127.0.0.1 localhost\r\n";
    ASSERT_EQ(apply(around + kBegin + "\r\n1.1.1.1 a\r\n" + kEnd + "\r\n# after\r\n", {}).status,
              RMW_OK);
    EXPECT_EQ(after(), around + "# after\r\n");

    host.fileWrites = 0;
    ASSERT_EQ(apply(around, {}).status, RMW_OK);
    EXPECT_EQ(after(), around);
    EXPECT_EQ(host.fileWrites, 0);  // unchanged content is not written again
}

TEST_F(HostsFile, AMissingHostsFileIsCreatedOnlyWhenThereAreEntries) {
    ASSERT_EQ(apply({}, {}).status, RMW_OK);
    EXPECT_FALSE(std::filesystem::exists(hosts()));
    ASSERT_EQ(apply({}, {"10.0.0.1 files"}).status, RMW_OK);
    EXPECT_EQ(after(), kBegin + "\r\n10.0.0.1        files\r\n" + kEnd + "\r\n");
}

TEST_F(HostsFile, FindsTheFileInTheWindowsFolderOn98AndBelowSystem32OnNT) {
    ASSERT_EQ(apply({}, {"10.0.0.1 files"}).status, RMW_OK);
    EXPECT_TRUE(std::filesystem::exists(host.native("C:\\WINDOWS\\HOSTS")));

    host.makeWindowsNT();
    host.systemDirectory = "C:\\WINNT\\SYSTEM32\\";  // any case, with a trailing separator
    std::filesystem::create_directories(host.native("C:\\WINNT\\SYSTEM32\\drivers\\etc"));
    ASSERT_EQ(apply({}, {"10.0.0.2 nt"}).status, RMW_OK);
    EXPECT_NE(readBytes(host.native("C:\\WINNT\\SYSTEM32\\drivers\\etc\\HOSTS")).find("10.0.0.2"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(host.native("C:\\WINNT\\HOSTS")));
}

TEST_F(HostsFile, DamagedMarkersAreRefusedNamingTheLinesAndNothingIsWritten) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\n" + kBegin + "\r\n1.1.1.1 a\r\n", "begin marker on line 2 has no end marker"},
        {kEnd + "\r\n", "end marker on line 1 has no begin marker"},
        {kBegin + "\r\n" + kBegin + "\r\n" + kEnd + "\r\n", "more than one begin marker (line 1 and line 2)"},
        {kBegin + "\r\n" + kEnd + "\r\n" + kEnd + "\r\n", "more than one end marker"},
        {kEnd + "\r\nuser line\r\n" + kBegin + "\r\n", "end marker on line 1 comes before"},
    };
    for (const auto& [content, problem] : cases) {
        host.fileWrites = 0;
        for (const auto& entries : {std::vector<std::string>{"10.0.0.1 x"}, std::vector<std::string>{}}) {
            const Outcome applied = apply(content, entries);
            EXPECT_EQ(applied.status, RMW_E_FAILED);
            EXPECT_NE(applied.description.find(problem), std::string::npos) << applied.description;
            EXPECT_NE(applied.description.find("C:\\WINDOWS\\HOSTS"), std::string::npos);
            EXPECT_EQ(after(), content);
        }
        EXPECT_EQ(host.fileWrites, 0);
    }
}

TEST_F(HostsFile, AFileThatCannotBeWrittenOrReadIsReportedWithItsWin32ErrorAndLeftAlone) {
    const std::string before = "127.0.0.1 localhost\r\n";
    host.writeErrors["C:\\WINDOWS\\HOSTS"] = 5;
    const Outcome denied = apply(before, {"10.0.0.1 files"});
    EXPECT_EQ(denied.status, RMW_E_FAILED);
    EXPECT_EQ(static_cast<uint32_t>(denied.number), 0x80070005u);
    EXPECT_NE(denied.description.find("could not be written (error 5: access is denied)"),
              std::string::npos) << denied.description;
    EXPECT_EQ(after(), before);

    host.writeErrors.clear();
    host.readErrors["C:\\WINDOWS\\HOSTS"] = 32;
    const Outcome busy = apply({}, {"10.0.0.1 files"});
    EXPECT_EQ(static_cast<uint32_t>(busy.number), 0x80070020u);
    EXPECT_NE(busy.description.find("could not be read (error 32"), std::string::npos);
    EXPECT_EQ(after(), before);

    host.readErrors.clear();
    host.makeWindowsNT();  // no drivers\etc folder: the host answers "path not found"
    std::filesystem::remove_all(host.native("C:\\WINNT\\system32\\drivers"));
    const Outcome noFolder = apply({}, {"10.0.0.1 files"});
    EXPECT_EQ(static_cast<uint32_t>(noFolder.number), 0x80070003u);
    EXPECT_NE(noFolder.description.find("C:\\WINNT\\system32\\drivers\\etc\\HOSTS"), std::string::npos);
}

TEST_F(HostsFile, ANewObjectStartsWithTheEntriesTheBlockHoldsNow) {
    writeBytes(hosts(), "127.0.0.1 localhost\r\n" + kBegin + "\r\n10.0.0.1 files fs # office\r\n" +
                            "not an entry\r\n# comment\r\n10.0.0.2 two\r\n" + kEnd + "\r\n");
    HostsObject addIn(host);
    ASSERT_EQ(addIn.callWithPath("saveSettings", kConfig).status, RMW_OK);
    EXPECT_EQ(readBytes(host.native(kConfig)),
              "[Hosts Add-In]\r\nHost1=10.0.0.1        files fs  # office\r\n"
              "Host2=10.0.0.2        two\r\n");
}

}  // namespace
}  // namespace addintest
