// The per-user settings store: reads with defaults, writes, listing and two processes
// writing at once.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "platform/emulated/Machine.h"
#include "registry/clsEasyRegistry.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestMachine.h"

namespace {

constexpr const char* kSettingsRoot =
    "\\HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\";

class SettingsStoreTest : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"win98"};
    SettingsStore store_;
};

TEST_F(SettingsStoreTest, MissingKeysAndSectionsReadAsTheDefault) {
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "Restart", "0"), "0");
    EXPECT_EQ(store_.GetSetting(kAppName, "Recent", "MaxFile", "3"), "3");
    EXPECT_EQ(store_.FindSetting(kAppName, "Options", "Restart"), std::nullopt);
    EXPECT_TRUE(store_.GetAllSettings(kAppName, "Add-Ins").empty());

    store_.SaveSetting(kAppName, "Options", "AutoReset", "1");
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "Restart", "N/A"), "N/A");
}

TEST_F(SettingsStoreTest, WritesCreateAndThenReplaceOneStringValue) {
    store_.SaveSetting(kAppName, "Options", "LastFileApplied", "Office.rmw");
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "LastFileApplied", "N/A"), "Office.rmw");
    store_.SaveSetting(kAppName, "Options", "LastFileApplied", "Home.rmw");
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "LastFileApplied", "N/A"), "Home.rmw");

    // An empty text is a stored value, not a missing one.
    store_.SaveSetting(kAppName, "Recent", "1File", "");
    EXPECT_EQ(store_.GetSetting(kAppName, "Recent", "1File", "default"), "");

    clsEasyRegistry registry;
    registry.Cd(std::string(kSettingsRoot) + "Roamwise\\Options");
    std::int32_t type = -1;
    EXPECT_EQ(registry.ValueOf("LastFileApplied", type).text, "Home.rmw");
    EXPECT_EQ(type, clsEasyRegistry::STRING);
    const auto values = registry.DirValue();
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ((*values)[0], std::vector<std::string>{"LastFileApplied"});
}

TEST_F(SettingsStoreTest, SectionsWithABackslashLiveTwoKeysDeep) {
    store_.SaveSetting(kAppName, "Add-Ins", "Dial Helper", "1");
    store_.SaveSetting(kAppName, "Add-Ins\\Dial Helper", "Class", "DialHelper.Connect");
    EXPECT_EQ(store_.GetSetting(kAppName, "Add-Ins\\Dial Helper", "Class"), "DialHelper.Connect");

    clsEasyRegistry registry;
    registry.Cd(std::string(kSettingsRoot) + "Roamwise\\Add-Ins\\Dial Helper");
    EXPECT_EQ(registry.ValueOf("Class").text, "DialHelper.Connect");
    EXPECT_EQ(store_.GetAllSettings(kAppName, "Add-Ins"),
              (std::vector<std::pair<std::string, std::string>>{{"Dial Helper", "1"}}));
}

TEST_F(SettingsStoreTest, ListingFollowsTheRegistryOrder) {
    for (const char* name : {"Zeta", "Alpha", "Mid", "beta"}) {
        store_.SaveSetting(kAppName, "Add-Ins", name, std::string("v-") + name);
    }
    clsEasyRegistry registry;
    registry.Cd(std::string(kSettingsRoot) + "Roamwise\\Add-Ins");
    const auto table = registry.DirValue();
    ASSERT_TRUE(table.has_value());

    const auto listed = store_.GetAllSettings(kAppName, "Add-Ins");
    ASSERT_EQ(listed.size(), (*table)[0].size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].first, (*table)[0][i]);
        EXPECT_EQ(listed[i].second, "v-" + listed[i].first);
    }
}

TEST_F(SettingsStoreTest, ApplicationsAreKeptApart) {
    store_.SaveSetting("RmwOther", "Options", "Restart", "2");
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "Restart", "0"), "0");
    EXPECT_EQ(store_.GetSetting("RmwOther", "Options", "Restart", "0"), "2");
}

TEST_F(SettingsStoreTest, UnaddressableNamesAreRefusedOnWriteAndMissingOnRead) {
    EXPECT_THROW(store_.SaveSetting("", "Options", "Restart", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting(kAppName, "", "Restart", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting(kAppName, "Options", "", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting(kAppName, "Add-Ins\\", "Class", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting(kAppName, "\\Options", "Restart", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting(kAppName, "Add-Ins\\\\X", "Class", "1"), std::invalid_argument);
    EXPECT_THROW(store_.SaveSetting("Roam\\wise", "Options", "Restart", "1"),
                 std::invalid_argument);

    EXPECT_EQ(store_.GetSetting(kAppName, "", "Restart", "d"), "d");
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "", "d"), "d");
    EXPECT_TRUE(store_.GetAllSettings("", "Options").empty());
}

TEST_F(SettingsStoreTest, NumbersWrittenByOthersReadAsDecimalText) {
    store_.SaveSetting(kAppName, "Options", "Restart", "0");
    clsEasyRegistry registry;
    registry.Cd(std::string(kSettingsRoot) + "Roamwise\\Options");
    registry.ValueOf("Restart", clsEasyRegistry::DWORD, 2.0);
    EXPECT_EQ(store_.GetSetting(kAppName, "Options", "Restart", "0"), "2");
}

// Each child opens the machine afresh: a database connection must not cross a fork.
int writeFromChild(const std::filesystem::path& folder, const std::string& prefix, int count) {
    try {
        auto machine = platform::emulated::Machine::open(folder);
        platform::installServices(machine->services());
        SettingsStore store;
        for (int i = 0; i < count; ++i) {
            const std::string key = prefix + std::to_string(i);
            store.SaveSetting(kAppName, "Recent", key, "value of " + key);
            if (store.GetSetting(kAppName, "Recent", key) != "value of " + key) return 2;
            store.GetAllSettings(kAppName, "Recent");
        }
        return 0;
    } catch (...) {
        return 3;
    }
}

TEST_F(SettingsStoreTest, TwoProcessesWriteTheSameSectionAtOnce) {
    constexpr int kCount = 40;
    std::vector<pid_t> children;
    for (const char* prefix : {"main-", "tray-"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(writeFromChild(machine_.folder(), prefix, kCount));
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    std::set<std::string> keys;
    for (const auto& [key, value] : store_.GetAllSettings(kAppName, "Recent")) {
        EXPECT_EQ(value, "value of " + key);
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 2u * kCount);
}

}  // namespace
