// The main window with add-ins made by add-in libraries, registered as rmwctl registers
// them: the platform filter, names ending in dots, the add-in's dialog, restarts, and a
// library that cannot be loaded.

#include <gtest/gtest.h>

#include "config/AddInLibrary.h"
#include "config/AddInRegistration.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/config/AddInLibraryFixture.h"

namespace mainwindowtest {
namespace {

using addintest::library;

class LibraryAddInWindowTest : public MainWindowTest,
                               public testing::WithParamInterface<const char*> {
  protected:
    LibraryAddInWindowTest() : MainWindowTest(GetParam()) {
        addintest::copyTestLibraries(platform::files().toNative("C:\\"));
    }
    Texts loadedNames() {
        Texts names;
        for (const auto& entry : window().addIns()) names.push_back(entry.name);
        return names;
    }
    bool isNT() const { return std::string(GetParam()) == "nt4"; }
};

TEST_P(LibraryAddInWindowTest, RegisteredLibrariesLoadForTheirPlatformAndRunTheirDialogs) {
    addinregistry::registerLibrary(library("test_addin_good"), "Hosts...", "*");
    addinregistry::registerLibrary(library("test_addin_failing"), "Fails", "NT");
    addinregistry::registerLibrary(library("test_addin_no_about"), "Off", "*");
    addinregistry::setActive("Off", false);
    frmMain& window = start();
    EXPECT_EQ(loadedNames(), isNT() ? (Texts{"Hosts...", "Fails"}) : Texts{"Hosts..."});
    EXPECT_EQ(window.mnuAddIns(0).Caption(), "Hosts......");
    EXPECT_TRUE(window.mnuAddInsSep1.Visible());
    EXPECT_EQ(ui().messageTexts(), Texts{});

    ui().queueAnswer(platform::MsgBoxResult::Yes);
    window.mnuAddIns(0).click();
    EXPECT_EQ(ui().messageTexts(), Texts{"Change the test value?"});
    EXPECT_TRUE(unsavedShown());
    EXPECT_FALSE(resetShown());
}

TEST_P(LibraryAddInWindowTest, ALibraryAskingForARestartAfterOpeningOrApplyingIsHeard) {
    addinregistry::registerLibrary(library("test_addin_good"), "", "*");
    const std::string file = configurationFile("Office.rmw", false, false);
    win32::WritePrivateProfileStringA("Test Add-In", "Restart", "1", file);
    start(file);
    EXPECT_TRUE(resetShown());

    start();
    EXPECT_FALSE(resetShown());
    window().addIns().find("Test Add-In")->invokeMethod("SetRestart", {true});
    window().advanced.txtComments.Text("with the test add-in");
    window().mnuFileApply.click();
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
}

TEST_P(LibraryAddInWindowTest, ALibraryThatNoLongerLoadsIsReportedAndStopsTheLoading) {
    addinregistry::registerLibrary(library("test_addin_good"), "Good", "*");
    std::filesystem::remove(platform::files().toNative(library("test_addin_good")));
    AddInLibrary::unloadUnused();  // as in a program started afresh
    frmMain& window = start();
    EXPECT_EQ(ui().messageTexts(),
              Texts{"Error referencing Add-In control: 'RoamwiseTest.Good'.\r\rPlease check your "
                    "Add-Ins."});
    EXPECT_TRUE(window.addIns().empty());
    EXPECT_FALSE(window.mnuAddIns(0).Visible());
}

INSTANTIATE_TEST_SUITE_P(Templates, LibraryAddInWindowTest, testing::Values("win98", "nt4"));

}  // namespace
}  // namespace mainwindowtest
