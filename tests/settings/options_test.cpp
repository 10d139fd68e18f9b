// The program's options: where they are kept and what a missing one reads as.

#include <gtest/gtest.h>

#include "settings/Options.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestMachine.h"

namespace {

class OptionsTest : public ::testing::Test {
  protected:
    testsupport::TestMachine machine_{"win98"};
    SettingsStore store_;
};

TEST_F(OptionsTest, OptionsAreKeptInTheOptionsSectionOfTheProgramsSettings) {
    storeOption("AutoReset", "1");
    EXPECT_EQ(store_.FindSetting(kAppName, "Options", "AutoReset"), "1");

    store_.SaveSetting(kAppName, "Options", "LastFileApplied", "Office.rmw");
    EXPECT_EQ(readOption("LastFileApplied", "N/A"), "Office.rmw");

    storeOption("LastFileApplied", "Home.rmw");
    EXPECT_EQ(readOption("LastFileApplied", "N/A"), "Home.rmw");
}

TEST_F(OptionsTest, AMissingOptionReadsAsTheDefaultAndIsNotCreated) {
    store_.SaveSetting(kAppName, "Recent", "Restart", "2");  // another section's key
    EXPECT_EQ(readOption("Restart", "0"), "0");
    EXPECT_EQ(store_.FindSetting(kAppName, "Options", "Restart"), std::nullopt);
}

}  // namespace
