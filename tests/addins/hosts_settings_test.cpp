// The host entries in a configuration file: what saveSettings writes, what loadSettings
// reads back, and what happens to refused entries.

#include <gtest/gtest.h>

#include "AddInHarness.h"

namespace addintest {
namespace {

const std::string kOffice = "C:\\Configs\\office.rmw";
const std::string kHome = "C:\\Configs\\home.rmw";

class HostsSettings : public ::testing::Test {
  protected:
    std::string file(const std::string& path) { return readBytes(host.native(path)); }
    void write(const std::string& path, const std::string& bytes) {
        writeBytes(host.native(path), bytes);
    }

    FakeHost host;
};

TEST_F(HostsSettings, SaveWritesOneHostsLinePerEntryAndLoadReadsItBackExactly) {
    write(kOffice,
          "[Enabled Sections]\r\nGeneral=1\r\n[Hosts Add-In]\r\n"
          "host2=fe80::1   router   # \"quoted\" comment # with a hash\r\n"
          "Other=kept by nobody\r\n"
          "HOST10=10.0.0.10 ten\r\n"
          "Host1=192.168.1.10 fileserver FS.office.example\r\n"
          "Host3=\r\n"
          "Host007=10.0.0.7 seven  #   blanks around   \r\n");
    HostsObject addIn(host);
    ASSERT_EQ(addIn.callWithPath("loadSettings", kOffice).status, RMW_OK);
    ASSERT_EQ(addIn.callWithPath("saveSettings", kHome).status, RMW_OK);
    EXPECT_EQ(file(kHome),
              "[Hosts Add-In]\r\n"
              "Host1=192.168.1.10    fileserver FS.office.example\r\n"
              "Host2=fe80::1         router  # \"quoted\" comment # with a hash\r\n"
              "Host3=10.0.0.7        seven  # blanks around\r\n"
              "Host4=10.0.0.10       ten\r\n");

    HostsObject again(host);  // what was saved loads and saves to the same bytes
    ASSERT_EQ(again.callWithPath("loadSettings", kHome).status, RMW_OK);
    const std::string saved = file(kHome);
    ASSERT_EQ(again.callWithPath("saveSettings", kHome).status, RMW_OK);
    EXPECT_EQ(file(kHome), saved);
}

TEST_F(HostsSettings, SavingReplacesTheSectionSoStaleKeysGoAndOtherSectionsStay) {
    write(kOffice,
          "; Roamwise Configuration File\r\n[Advanced]\r\nComments=office\r\n"
          "[Hosts Add-In]\r\nHost1=10.0.0.1 one\r\nHost2=10.0.0.2 two\r\nHost3=10.0.0.3 three\r\n"
          "[Other Add-In]\r\nKey=value\r\n");
    write(kHome, "[Hosts Add-In]\r\nHost1=10.9.9.9 home-nas\r\n");
    HostsObject addIn(host);
    ASSERT_EQ(addIn.callWithPath("loadSettings", kHome).status, RMW_OK);
    ASSERT_EQ(addIn.callWithPath("saveSettings", kOffice).status, RMW_OK);
    EXPECT_EQ(file(kOffice),
              "; Roamwise Configuration File\r\n[Advanced]\r\nComments=office\r\n"
              "[Other Add-In]\r\nKey=value\r\n"
              "[Hosts Add-In]\r\nHost1=10.9.9.9        home-nas\r\n");

    write(kHome, "[Advanced]\r\nComments=home\r\n");  // a file without the section
    ASSERT_EQ(addIn.callWithPath("loadSettings", kHome).status, RMW_OK);
    ASSERT_EQ(addIn.callWithPath("saveSettings", kOffice).status, RMW_OK);
    EXPECT_EQ(file(kOffice).find("Hosts Add-In"), std::string::npos);
    EXPECT_NE(file(kOffice).find("[Other Add-In]"), std::string::npos);
}

TEST_F(HostsSettings, EntriesAreFoundWhereTheHostCannotListASectionsKeys) {
    write(kOffice, "[Hosts Add-In]\r\nHost1=10.0.0.1 one\r\nHost2=10.0.0.2 two\r\n");
    host.listsKeys = false;
    HostsObject addIn(host);
    ASSERT_EQ(addIn.callWithPath("loadSettings", kOffice).status, RMW_OK);
    ASSERT_EQ(addIn.call("applySettings").status, RMW_OK);
    const std::string hosts = readBytes(host.native("C:\\WINDOWS\\HOSTS"));
    EXPECT_NE(hosts.find("10.0.0.1        one\r\n10.0.0.2        two\r\n"), std::string::npos);
}

TEST_F(HostsSettings, RefusedEntriesAreNamedKeptForSavingAndNeverApplied) {
    const std::string hostsBefore = "127.0.0.1 localhost\r\n";
    writeBytes(host.native("C:\\WINDOWS\\HOSTS"), hostsBefore);
    const std::pair<const char*, const char*> cases[] = {
        {"Host1=10.0.0.1 good\r\nHost2=10.0.0.300 printer", "10.0.0.300"},
        {"Host1=10.0.0.1 good\r\nHost2=10.0.0.2 bad_name", "bad_name"},
        {"Host1=10.0.0.1 good\r\nHost2=10.0.0.2", "has no host name"},
        {"Host1=010.0.0.1 leading-zero", "010.0.0.1"},
        {"Host1=10.0.0.1 -dash", "hyphen"},
        {"Host1=10.0.0.1 a..b", "empty label"},
        {"Host1=10.0.0.1 ok\tTab\x01name", "control character"},
    };
    for (const auto& [section, named] : cases) {
        const std::string content = std::string("[Hosts Add-In]\r\n") + section + "\r\n";
        write(kOffice, content);
        HostsObject addIn(host);
        // The file still opens, so the user can mend the entry; applying refuses it.
        ASSERT_EQ(addIn.callWithPath("loadSettings", kOffice).status, RMW_OK) << section;
        const Outcome applied = addIn.call("applySettings");
        EXPECT_EQ(applied.status, RMW_E_FAILED) << section;
        EXPECT_NE(applied.description.find(named), std::string::npos) << applied.description;
        EXPECT_NE(applied.description.find(kOffice), std::string::npos) << applied.description;
        EXPECT_EQ(readBytes(host.native("C:\\WINDOWS\\HOSTS")), hostsBefore);

        // Saved elsewhere, the entry is kept as written and refused there the same way.
        ASSERT_EQ(addIn.callWithPath("saveSettings", kHome).status, RMW_OK);
        HostsObject reread(host);
        ASSERT_EQ(reread.callWithPath("loadSettings", kHome).status, RMW_OK);
        EXPECT_EQ(reread.call("applySettings").description, [&] {
            std::string text = applied.description;
            return text.replace(text.find(kOffice), kOffice.size(), kHome);
        }());
    }
    EXPECT_EQ(host.fileWrites, 0);
}

}  // namespace
}  // namespace addintest
