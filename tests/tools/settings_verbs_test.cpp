// rmwctl settings get, set and list, run as a program against a throw-away machine.

#include <gtest/gtest.h>

#include <fstream>

#include "settings/SettingsStore.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

class SettingsVerbsTest : public ::testing::Test {
  protected:
    testsupport::RmwctlOutcome rmwctl(const std::vector<std::string>& arguments) {
        return runner_.run(arguments);
    }

    testsupport::TestMachine machine_{"win98"};
    testsupport::RmwctlRunner runner_{machine_.folder()};
};

TEST_F(SettingsVerbsTest, SetThenGetRoundTripsThroughTheStore) {
    auto outcome = rmwctl({"settings", "set", "Options", "LastFileApplied", "Office.rmw"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Options", "LastFileApplied", "N/A"),
              "Office.rmw");

    SettingsStore().SaveSetting(kAppName, "Recent", "1File", "C:\\My Documents\\Home.rmw");
    outcome = rmwctl({"settings", "get", "Recent", "1File"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "C:\\My Documents\\Home.rmw\n");
}

TEST_F(SettingsVerbsTest, GetOfAMissingKeyExitsOne) {
    const auto outcome = rmwctl({"settings", "get", "Options", "Restart"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Restart"), std::string::npos) << outcome.err;
}

TEST_F(SettingsVerbsTest, ListPrintsEachKeyAndValue) {
    SettingsStore store;
    store.SaveSetting(kAppName, "Add-Ins", "Dial Helper", "1");
    store.SaveSetting(kAppName, "Add-Ins\\Dial Helper", "Class", "DialHelper.Connect");
    auto outcome = rmwctl({"settings", "list", "Add-Ins"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Dial Helper\t1\n");

    outcome = rmwctl({"settings", "list", "Add-Ins\\Dial Helper"});
    EXPECT_EQ(outcome.out, "Class\tDialHelper.Connect\n");

    outcome = rmwctl({"settings", "list", "Nothing Here"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
}

TEST_F(SettingsVerbsTest, MalformedCommandsAreUsageErrors) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"settings"},
                                               {"settings", "fetch", "Options"},
                                               {"settings", "get", "Options"},
                                               {"settings", "set", "Options", "Restart"},
                                               {"settings", "list"},
                                               {"settings", "get", "", "Restart"},
                                               {"settings", "set", "Options\\", "K", "V"},
                                               {"settings", "set", "Options", "", "V"}}) {
        const auto outcome = rmwctl(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.size() << " arguments: " << outcome.err;
        EXPECT_NE(outcome.err.find("settings get SECTION KEY"), std::string::npos);
    }
    EXPECT_TRUE(SettingsStore().GetAllSettings(kAppName, "Options").empty());
}

TEST(SettingsVerbs, AnUnusableMachineExitsOne) {
    testsupport::TempFolder folder;
    std::ofstream(folder.path() / "registry.db") << "not a database";
    const auto outcome = testsupport::RmwctlRunner(folder.path()).run({"settings", "list", "X"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_FALSE(outcome.err.empty());
}

}  // namespace
