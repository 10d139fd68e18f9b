// The Advanced tab against a real document: the confirmation the automatic reset needs,
// which changes are reported, and filling from a new or an opened document.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/logic/main/AdvancedTab.h"
#include "config/RmwConfig.h"
#include "tests/app/RecordingTabHost.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;
using testing::ElementsAre;

const std::string kQuestion = "Are you sure you want to set the AutoReboot option?";

class AdvancedTabTest : public ::testing::Test {
  protected:
    AdvancedTabTest() { tab_.attach(&document_); }

    testsupport::ScriptedUserInterface& ui() { return machine_.ui(); }

    testsupport::TestMachine machine_{"win98"};
    testsupport::RecordingTabHost host_;
    AdvancedTab tab_{host_, host_};
    RmwConfig document_;
};

TEST_F(AdvancedTabTest, DecliningTheResetLeavesEverythingAsItWas) {
    ui().queueAnswer(MsgBoxResult::No);
    tab_.chkAutoReboot.click();

    ASSERT_EQ(ui().messages().size(), 1u);
    const testsupport::ShownMessage& asked = ui().messages()[0];
    EXPECT_EQ(asked.text, kQuestion);
    EXPECT_EQ(asked.buttons, MsgBoxButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgBoxIcon::None);
    EXPECT_EQ(asked.caption, "Roamwise");
    EXPECT_FALSE(tab_.chkAutoReboot.checked());
    EXPECT_FALSE(document_.AutoReboot());
    EXPECT_TRUE(host_.modes.empty());
}

TEST_F(AdvancedTabTest, ConfirmingTheResetIsReportedButClearingItIsNot) {
    ui().queueAnswer(MsgBoxResult::Yes);
    tab_.chkAutoReboot.click();
    EXPECT_TRUE(tab_.chkAutoReboot.checked());
    EXPECT_TRUE(document_.AutoReboot());
    EXPECT_THAT(host_.modes, ElementsAre(1));

    tab_.chkAutoReboot.click();
    EXPECT_FALSE(document_.AutoReboot());
    EXPECT_THAT(host_.modes, ElementsAre(1));
    EXPECT_EQ(ui().messages().size(), 1u);
}

TEST_F(AdvancedTabTest, NoQuestionWhileAFileIsLoaded) {
    host_.loadingFile(true);
    tab_.chkAutoReboot.click();
    EXPECT_TRUE(document_.AutoReboot());
    tab_.chkAutoReboot.click();
    EXPECT_FALSE(document_.AutoReboot());
    EXPECT_TRUE(ui().messages().empty());
    EXPECT_TRUE(host_.modes.empty());
}

TEST_F(AdvancedTabTest, FillingTakesTheDocumentsValuesWithoutAsking) {
    host_.initializing(true);
    tab_.initializeMiscControls();  // a new document: nothing differs
    EXPECT_TRUE(host_.modes.empty());

    document_.Comments("Harbour office, second floor");
    document_.AutoApply(true);
    document_.AutoReboot(true);
    host_.initializing(false);
    host_.loadingFile(true);
    tab_.initializeMiscControls();
    EXPECT_EQ(tab_.txtComments.Text(), "Harbour office, second floor");
    EXPECT_TRUE(tab_.chkAutoApply.checked());
    EXPECT_TRUE(tab_.chkAutoReboot.checked());
    EXPECT_THAT(host_.modes, ElementsAre(1, 1));
    EXPECT_TRUE(ui().messages().empty());
    for (const Binding& binding : tab_.bindings())
        EXPECT_NE(controlValue(*binding.control), "0") << binding.property;

    // Put back by a refresh or another window's fill: the value comes from the
    // document, so there is nothing to confirm either.
    host_.loadingFile(false);
    host_.initializing(true);
    tab_.chkAutoReboot.Value(forms::CheckBox::Unchecked);
    EXPECT_FALSE(document_.AutoReboot());
    document_.AutoReboot(true);
    tab_.initializeMiscControls();
    EXPECT_TRUE(tab_.chkAutoReboot.checked());
    EXPECT_TRUE(document_.AutoReboot());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(AdvancedTabTest, EditsReachTheDocument) {
    tab_.chkAutoApply.click();
    EXPECT_TRUE(document_.AutoApply());
    tab_.chkAutoApply.click();
    EXPECT_FALSE(document_.AutoApply());
    tab_.txtComments.type("  road warrior  ");
    EXPECT_EQ(document_.Comments(), "road warrior");
    EXPECT_THAT(host_.modes, ElementsAre(1, 1, 1));

    EXPECT_EQ(&host_.control<forms::CheckBox>("chkAutoReboot"), &tab_.chkAutoReboot);
    EXPECT_EQ(tab_.chkAutoReboot.Caption(), "Automatically &reset when changes are applied");
    EXPECT_EQ(tab_.fraComments.Caption(), "Comments");
}

}  // namespace
