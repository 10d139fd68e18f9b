// The main window's add-ins: which registrations are loaded, their entries in the
// "&Add-Ins" menu, a failed creation, the add-in's own dialog, and add-ins taking part
// in opening and applying.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "config/AddInClasses.h"
#include "config/DispatchAddIn.h"
#include "tests/app/AddInFixture.h"

namespace mainwindowtest {
namespace {

using platform::MsgBoxIcon;

TEST_F(AddInWindowTest, WithoutRegistrationsOnlyTheManagerItemShows) {
    frmMain& window = start();
    EXPECT_EQ(visibleAddInEntries(), Texts{});
    EXPECT_FALSE(window.mnuAddInsSep1.Visible());
    EXPECT_TRUE(window.mnuToolsAddInManager.Visible());
    EXPECT_TRUE(window.addIns().empty());
    EXPECT_EQ(ui().messageTexts(), Texts{});
}

TEST_F(AddInWindowTest, OnlyActiveAddInsForThisPlatformAreLoaded) {
    ScopedClass any("Test.Any"), win95("Test.Win95"), nt("Test.NT"), off("Test.Off");
    registerAddIn("Any", "Test.Any", "*", "1");
    registerAddIn("Win95", "Test.Win95", "95", "1");
    registerAddIn("NT", "Test.NT", "NT", "1");
    registerAddIn("Off", "Test.Off", "*", "0");
    registerAddIn("NoState", "Test.Off", "*", "");
    registerAddIn("NoClass", "", "*", "1");

    frmMain& window = start();
    const Texts expected = inStoreOrder({"Any", "Win95"});
    EXPECT_EQ(loadedNames(), expected);
    EXPECT_EQ(visibleAddInEntries(), withDots(expected));
    EXPECT_TRUE(window.mnuAddInsSep1.Visible());
    EXPECT_EQ(ui().messageTexts(), Texts{});
    // Entries are numbered in loading order.
    EXPECT_EQ(window.mnuAddIns(0).Caption(), expected[0] + "...");
}

class AddInWindowNTTest : public AddInWindowTest {
  protected:
    AddInWindowNTTest() : AddInWindowTest("nt4") {}
};

TEST_F(AddInWindowNTTest, OnWindowsNTTheNTAddInsLoad) {
    ScopedClass any("Test.Any"), win95("Test.Win95"), nt("Test.NT");
    registerAddIn("Any", "Test.Any", "*", "1");
    registerAddIn("Win95", "Test.Win95", "95", "1");
    registerAddIn("NT", "Test.NT", "NT", "1");
    start();
    EXPECT_EQ(loadedNames(), inStoreOrder({"Any", "NT"}));
}

TEST_F(AddInWindowTest, AnAddInThatCannotBeCreatedStopsTheLoading) {
    ScopedClass first("Test.First"), third("Test.Third");
    registerAddIn("A First", "Test.First", "*", "1");
    registerAddIn("B Missing", "Test.Missing", "*", "1");
    registerAddIn("C Third", "Test.Third", "*", "1");
    const Texts order = inStoreOrder({"A First", "B Missing", "C Third"});
    ASSERT_EQ(order, (Texts{"A First", "B Missing", "C Third"}));

    frmMain& window = start();
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text,
              "Error referencing Add-In control: 'Test.Missing'.\r\r" + kReferenceError);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(loadedNames(), Texts{"A First"});
    EXPECT_EQ(visibleAddInEntries(), Texts{"A First..."});
    EXPECT_FALSE(window.mnuAddInsSep1.Visible());  // left as it was

    // The loaded one stays usable.
    window.mnuAddIns(0).click();
    EXPECT_EQ(first.state().calls, Texts{"Show"});
}

TEST_F(AddInWindowTest, TheTwentyFirstAddInHasNoEntryAndIsReported) {
    ScopedClass many("Test.Many");
    for (int index = 0; index < 21; ++index) {
        registerAddIn("AddIn" + std::string(1, static_cast<char>('A' + index)), "Test.Many", "*",
                      "1");
    }
    frmMain& window = start();
    EXPECT_EQ(window.addIns().size(), 20u);
    EXPECT_EQ(visibleAddInEntries().size(), 20u);
    EXPECT_EQ(ui().messageTexts(),
              Texts{"Error referencing Add-In control: 'Test.Many'.\r\r" + kReferenceError});
}

TEST_F(AddInWindowTest, TheManagerCommandReadsTheRegistrationsAgain) {
    ScopedClass vpn("Test.VPN");
    frmMain& window = start();
    registerAddIn("VPN", "Test.VPN", "*", "1");
    window.mnuToolsAddInManager.click();
    EXPECT_EQ(loadedNames(), Texts{"VPN"});
    EXPECT_TRUE(window.mnuAddInsSep1.Visible());

    SettingsStore().SaveSetting(kAppName, "Add-Ins\\VPN", "Active", "0");
    window.mnuToolsRefresh.click();
    EXPECT_TRUE(window.addIns().empty());
    EXPECT_EQ(visibleAddInEntries(), Texts{});
    EXPECT_FALSE(window.mnuAddInsSep1.Visible());
}

TEST_F(AddInWindowTest, TheAddInsDialogReportsChangesAndRestarts) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN...", "Test.VPN", "*", "1");  // a name ending in dots still resolves
    frmMain& window = start();
    ASSERT_EQ(window.mnuAddIns(0).Caption(), "VPN......");

    window.mnuAddIns(0).click();
    EXPECT_EQ(vpn.state().calls, Texts{"Show"});
    EXPECT_FALSE(unsavedShown());
    EXPECT_FALSE(window.applyPending());

    vpn.state().changed = true;
    window.mnuAddIns(0).click();
    EXPECT_TRUE(unsavedShown());
    EXPECT_FALSE(resetShown());

    window.updateStatus(-3);
    vpn.state().changed = false;
    vpn.state().restart = true;
    window.mnuAddIns(0).click();
    EXPECT_TRUE(unsavedShown());
    EXPECT_TRUE(resetShown());
}

TEST_F(AddInWindowTest, AnAddInWithoutADialogIsReported) {
    registerAddInClass("Test.Silent",
                       [] { return std::make_shared<DispatchAddIn>("Test.Silent"); });
    registerAddIn("Silent", "Test.Silent", "*", "1");
    frmMain& window = start();
    window.mnuAddIns(0).click();
    unregisterAddInClass("Test.Silent");
    EXPECT_EQ(ui().messageTexts(),
              Texts{"Error attempting to access Add-In.\r\r" + kReferenceError});
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Exclamation);
}

TEST_F(AddInWindowTest, AnAddInAskingForARestartAfterOpeningShowsTheResetIndicator) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    const std::string file = configurationFile("Office.rmw", false, false);
    vpn.state().restart = true;
    frmMain& window = start(file);
    EXPECT_EQ(vpn.state().calls, Texts{"loadSettings"});
    EXPECT_TRUE(resetShown());
    EXPECT_FALSE(unsavedShown());
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
}

TEST_F(AddInWindowTest, AnAddInAskingForARestartAfterApplyingBringsTheRestartDialog) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    frmMain& window = start();
    window.advanced.txtComments.Text("with the VPN");
    vpn.state().restart = true;
    window.mnuFileApply.click();
    EXPECT_EQ(vpn.state().calls, Texts{"applySettings"});
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
    EXPECT_FALSE(resetShown());
    EXPECT_FALSE(window.applyPending());
}

TEST_F(AddInWindowTest, AnAddInFailingDuringApplyIsReportedAndTheWindowKeepsWorking) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    frmMain& window = start();
    window.advanced.txtComments.Text("with the VPN");
    vpn.state().failApply = true;
    window.mnuFileApply.click();

    ASSERT_EQ(ui().messages().size(), 2u);  // the question, then the failure
    EXPECT_EQ(ui().messages()[1].text, "The VPN client is not running");
    EXPECT_EQ(ui().messages()[1].icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(ui().messages()[1].caption, "Roamwise");
    EXPECT_TRUE(window.loaded());
    EXPECT_TRUE(window.applyPending());
    EXPECT_EQ(option("LastFileApplied", "<none>"), "<none>");

    ui().clear();
    vpn.state().failApply = false;
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), (Texts{"Apply configuration changes?",
                                          "Configuration updated - no restart required."}));
}

TEST_F(AddInWindowTest, AnAddInFailingWhileAFileAppliesItselfIsAnOpenError) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    const std::string file = configurationFile("Office.rmw", true, false);
    vpn.state().failApply = true;
    frmMain& window = start(file);
    EXPECT_EQ(ui().messageTexts(), Texts{"Error opening file '" + file + "'."});
    EXPECT_TRUE(window.loaded());
    EXPECT_TRUE(window.applyPending());
}

}  // namespace
}  // namespace mainwindowtest
