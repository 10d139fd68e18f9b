// The main window's start-up, the apply flow with its restart decision, opening and
// saving files, closing with unsaved changes, and the controls it is built with.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/logic/RestartChoice.h"
#include "app/logic/restartSystem.h"
#include "config/UnsupportedPlatform.h"
#include "network/netConfig.h"
#include "platform/RaisedError.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/StaticControls.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/RecordingShell.h"

namespace mainwindowtest {
namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

constexpr const char* kNothingToApply = "No configuration changes have been made.";
constexpr const char* kNoRestart = "Configuration updated - no restart required.";
constexpr const char* kApplyQuestion = "Apply configuration changes?";

// ---- Start-up with a file on the command line, on both platforms ----------------------

class StartUpTest : public MainWindowTest, public ::testing::WithParamInterface<std::string> {
  protected:
    StartUpTest() : MainWindowTest(GetParam()) {}
};

TEST_P(StartUpTest, AFileThatAppliesItselfIsAppliedAndTheStoredRestartCarriedOut) {
    RestartChoice::store(RestartChoice::kReboot);
    const std::string file =
        configurationFile("Office.rmw", true, true, {{"IPAddress", kOtherAddress}});

    frmMain& window = start("\"" + file + "\",\"Office.rmw\"");

    EXPECT_EQ(ui().messageTexts(), Texts{});  // no question, no message
    EXPECT_EQ(powerRequests(), Texts{"ExitWindowsEx EWX_REBOOT reserved=0"});
    EXPECT_TRUE(window.programEnded());
    EXPECT_FALSE(window.loaded());
    EXPECT_EQ(machineAddress(), kOtherAddress);
    EXPECT_EQ(option("LastFileApplied"), "Office.rmw");
    // The window's close stored the recent list.
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Recent", "1File"), file);
}

TEST_P(StartUpTest, WithTheStoredChoiceToRestartByHandTheUserIsToldAndTheProgramEnds) {
    const std::string file =
        configurationFile("Office.rmw", true, true, {{"IPAddress", kOtherAddress}});

    frmMain& window = start(file);

    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, kManualRestartMessage);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Information);
    EXPECT_EQ(powerRequests(), Texts{});
    EXPECT_TRUE(window.programEnded());
    EXPECT_FALSE(window.loaded());
}

TEST_P(StartUpTest, AFileEqualToTheMachineIsAppliedWithoutARestart) {
    RestartChoice::store(RestartChoice::kReboot);
    const std::string file = configurationFile("Office.rmw", true, true);

    frmMain& window = start(file);

    EXPECT_EQ(ui().messageTexts(), Texts{kNoRestart});
    EXPECT_EQ(powerRequests(), Texts{});
    EXPECT_FALSE(window.programEnded());
    EXPECT_TRUE(window.loaded());
    EXPECT_FALSE(window.applyPending());
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
    EXPECT_EQ(window.mnuFileRecent(1).Caption(), "&1. Office.rmw");
    EXPECT_TRUE(window.autoRestart());  // the file's AutoReboot
}

INSTANTIATE_TEST_SUITE_P(BothPlatforms, StartUpTest, ::testing::Values("win98", "nt4"));

// ---- The machine's own file, then a file that moves the machine, on both platforms -----

class OpenAndApplyTest : public MainWindowTest, public ::testing::WithParamInterface<std::string> {
  protected:
    OpenAndApplyTest() : MainWindowTest(GetParam()) {}

    // The network settings the shown document has marked to be written by the next apply.
    std::vector<std::size_t> markedSettings() {
        const netConfig& net = window().document().getNetConfig();
        std::vector<std::size_t> marked;
        for (std::size_t flag = 0; flag < netConfig::FlagCount; ++flag) {
            if (net.isChanged(static_cast<netConfig::Flag>(flag))) marked.push_back(flag);
        }
        return marked;
    }
};

TEST_P(OpenAndApplyTest, OnlyWhatDiffersIsMarkedAppliedAndAskedToRestartFor) {
    frmMain& window = start();
    EXPECT_FALSE(unsavedShown());
    EXPECT_FALSE(resetShown());
    EXPECT_FALSE(window.applyPending());

    window.openConfigurationFile(configurationFile("Same.rmw", false, false));
    EXPECT_EQ(markedSettings(), std::vector<std::size_t>{});
    EXPECT_TRUE(window.applyPending());
    EXPECT_FALSE(unsavedShown());
    EXPECT_FALSE(resetShown());
    EXPECT_EQ(ui().messageTexts(), Texts{});

    window.openConfigurationFile(
        configurationFile("Office.rmw", false, false, {{"IPAddress", kOtherAddress}}));
    EXPECT_EQ(markedSettings(),
              std::vector<std::size_t>{static_cast<std::size_t>(netConfig::Flag::IPAddress)});
    EXPECT_FALSE(unsavedShown());
    EXPECT_TRUE(resetShown());

    ui().queueAnswer(MsgBoxResult::Yes);
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kApplyQuestion});
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
    EXPECT_EQ(machineAddress(), kOtherAddress);
    EXPECT_FALSE(resetShown());
    EXPECT_EQ(markedSettings(), std::vector<std::size_t>{});

    ui().clear();
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kNothingToApply});
}

INSTANTIATE_TEST_SUITE_P(BothPlatforms, OpenAndApplyTest, ::testing::Values("win98", "nt4"));

// ---- Start-up without a file ----------------------------------------------------------

TEST_F(MainWindowTest, StartingShowsTheCurrentConfigurationWithNothingPending) {
    setOption("LastFileApplied", "Home.rmw");
    frmMain& window = start();

    EXPECT_EQ(window.Caption(), "[Current Configuration] - Roamwise");
    EXPECT_FALSE(window.applyPending());
    EXPECT_FALSE(window.initializing());
    EXPECT_FALSE(window.autoRestart());
    EXPECT_FALSE(unsavedShown());
    EXPECT_FALSE(resetShown());
    EXPECT_EQ(window.sbStatus(1).Text(), "Last File Applied: Home.rmw");
    EXPECT_EQ(window.sbStatus(2).Text(), "Roamwise 2.1.0");
    EXPECT_EQ(window.tabSettings.currentTab(), 0);
    for (int group = 0; group < 3; ++group) {
        EXPECT_TRUE(window.tabSettings.tab(group).Enabled()) << group;
        EXPECT_TRUE(window.tbarTools(6 + group).Pressed()) << group;
    }
    EXPECT_TRUE(window.document().ApplyGeneral());
    EXPECT_TRUE(window.document().ApplyIE());
    EXPECT_TRUE(window.document().ApplyNN());
    EXPECT_EQ(window.document().confFile(), "");
    EXPECT_FALSE(window.sepRecent.Visible());
    // The hourglass showed and the normal pointer is back.
    EXPECT_FALSE(ui().pointerHistory().empty());
    EXPECT_EQ(ui().mousePointer(), platform::MousePointer::Default);
}

TEST_F(MainWindowTest, TheStoredOptionsDecideTheRestartModeAndTheWarning) {
    setOption("AutoReset", "1");
    setOption("NICWarning", "0");
    frmMain& window = start();
    EXPECT_TRUE(window.autoRestart());
    EXPECT_FALSE(window.general.showNICWarning());
    EXPECT_EQ(window.sbStatus(1).Text(), "Last File Applied: N/A");
}

TEST(MainWindowPlatformTest, AMissingBrowserLeavesItsGroupSwitchedOffAndDisabled) {
    testsupport::TestMachine machine("nt4");
    frmMain window;
    window.Load();
    ASSERT_FALSE(window.document().NNInstalled());
    EXPECT_FALSE(window.tabSettings.tab(2).Enabled());
    EXPECT_FALSE(window.tbarTools(8).Enabled());
    EXPECT_FALSE(window.tbarTools(8).Pressed());
    EXPECT_FALSE(window.mnuToolsNavigator.Enabled());
    EXPECT_FALSE(window.mnuToolsNavigator.Checked());
    EXPECT_FALSE(window.document().ApplyNN());
    EXPECT_TRUE(window.tabSettings.tab(1).Enabled());
}

// A registry whose key listings fail while it is failing.
class UnlistableRegistry : public testsupport::RecordingRegistry {
  public:
    using RecordingRegistry::RecordingRegistry;
    win32::LONG RegEnumKeyExA(win32::HKEY hKey, win32::DWORD dwIndex, char* lpName,
                              win32::DWORD* lpcchName, win32::DWORD* lpReserved, char* lpClass,
                              win32::DWORD* lpcchClass,
                              win32::FILETIME* lpftLastWriteTime) override {
        if (failing) throw RaisedError(1009, "Registry", "The configuration registry is corrupt");
        return RecordingRegistry::RegEnumKeyExA(hKey, dwIndex, lpName, lpcchName, lpReserved,
                                                lpClass, lpcchClass, lpftLastWriteTime);
    }
    bool failing = true;
};

TEST_F(MainWindowTest, AFailingStartIsReportedAndRefreshTriesAgain) {
    auto& registry = keep<UnlistableRegistry>(*machine_.services().registry);
    platform::Services services = machine_.services();
    services.registry = &registry;
    machine_.install(services);

    frmMain& window = start();
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, "The configuration registry is corrupt");
    EXPECT_EQ(ui().messages()[0].caption, "Error while initializing form");
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Exclamation);
    EXPECT_TRUE(window.loaded());
    EXPECT_FALSE(window.initializing());
    EXPECT_EQ(ui().mousePointer(), platform::MousePointer::Default);

    // Without a document the commands fail the way they report failures.
    ui().clear();
    window.advanced.txtComments.Text("edited");
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messages().size(), 1u);
    EXPECT_TRUE(window.loaded());

    registry.failing = false;
    window.mnuToolsRefresh.click();
    EXPECT_NO_THROW(window.document());
    EXPECT_FALSE(window.applyPending());
}

TEST(MainWindowPlatformTest, AnUnsupportedSystemEndsTheStartUp) {
    testsupport::TestMachine machine("win98");
    class NoVersion : public platform::SystemInfo {
      public:
        explicit NoVersion(platform::SystemInfo& real) : real_(real) {}
        win32::BOOL GetVersionExA(win32::OSVERSIONINFOA*) override { return 0; }
        std::string GetWindowsDirectoryA() override { return real_.GetWindowsDirectoryA(); }
        std::string GetSystemDirectoryA() override { return real_.GetSystemDirectoryA(); }
        std::string programFolder() override { return real_.programFolder(); }

      private:
        platform::SystemInfo& real_;
    } noVersion(*machine.services().system);
    platform::Services services = machine.services();
    services.system = &noVersion;
    machine.install(services);

    frmMain window;
    EXPECT_THROW(window.Load(), UnsupportedPlatform);
    EXPECT_EQ(machine.ui().messageTexts(),
              Texts{"Only Windows 95 & 98 are supported at this time."});
}

// ---- Apply ----------------------------------------------------------------------------

TEST_F(MainWindowTest, ApplyActsOnlyWhenSomethingIsPending) {
    frmMain& window = start();
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kNothingToApply});
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Information);

    window.advanced.txtComments.Text("Harbourline office");
    EXPECT_TRUE(window.applyPending());
    EXPECT_TRUE(unsavedShown());
    ui().clear();
    window.mnuFileApply.click();
    ASSERT_EQ(ui().messageTexts(), (Texts{kApplyQuestion, kNoRestart}));
    EXPECT_EQ(ui().messages()[0].buttons, MsgBoxButtons::YesNo);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::None);
    EXPECT_FALSE(window.applyPending());
    EXPECT_TRUE(unsavedShown());  // applying does not save
    EXPECT_EQ(option("LastFileApplied"), "[Current Configuration]");
    EXPECT_EQ(window.sbStatus(1).Text(), "Last File Applied: [Current Configuration]");

    ui().clear();
    window.tbarTools(4).click();
    EXPECT_EQ(ui().messageTexts(), Texts{kNothingToApply});
    window.mnuToolsRefresh.click();
    ui().clear();
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kNothingToApply});
}

TEST_F(MainWindowTest, AnsweringNoToTheQuestionAppliesNothing) {
    frmMain& window = start();
    window.general.txtIP.Text(kOtherAddress);
    ASSERT_TRUE(resetShown());
    ui().queueAnswer(MsgBoxResult::No);
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kApplyQuestion});
    EXPECT_NE(machineAddress(), kOtherAddress);
    EXPECT_TRUE(window.applyPending());
    EXPECT_TRUE(resetShown());
    EXPECT_EQ(option("LastFileApplied", "<none>"), "<none>");
}

TEST_F(MainWindowTest, AnApplyThatNeedsARestartShowsTheRestartDialog) {
    frmMain& window = start();
    window.general.txtIP.Text(kOtherAddress);
    window.mnuFileApply.click();
    EXPECT_EQ(machineAddress(), kOtherAddress);
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
    EXPECT_FALSE(resetShown());
    EXPECT_FALSE(window.applyPending());
    EXPECT_FALSE(window.programEnded());
    EXPECT_TRUE(window.loaded());
}

// A registry that refuses every write with an error while it is failing.
class FailingRegistry : public testsupport::RecordingRegistry {
  public:
    using RecordingRegistry::RecordingRegistry;
    win32::LONG RegSetValueExA(win32::HKEY hKey, const char* lpValueName, win32::DWORD Reserved,
                               win32::DWORD dwType, const win32::BYTE* lpData,
                               win32::DWORD cbData) override {
        if (failing) throw RaisedError(5, "Registry", "Access is denied");
        return RecordingRegistry::RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData,
                                                 cbData);
    }
    bool failing = false;
};

TEST_F(MainWindowTest, ABackendFailingDuringApplyIsReportedAndTheWindowKeepsWorking) {
    auto& registry = keep<FailingRegistry>(*machine_.services().registry);
    platform::Services services = machine_.services();
    services.registry = &registry;
    machine_.install(services);
    frmMain& window = start();
    window.general.txtIP.Text(kOtherAddress);

    registry.failing = true;
    window.mnuFileApply.click();
    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[1].text, "Access is denied");
    EXPECT_EQ(ui().messages()[1].icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(ui().messages()[1].caption, "Roamwise");
    EXPECT_TRUE(window.loaded());
    EXPECT_TRUE(window.applyPending());
    EXPECT_TRUE(resetShown());

    registry.failing = false;
    window.mnuFileApply.click();
    EXPECT_EQ(machineAddress(), kOtherAddress);
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
}

TEST_F(MainWindowTest, OpeningAFileMakesItPendingEvenWhenNothingDiffers) {
    const std::string file = configurationFile("Same.rmw", false, false);
    frmMain& window = start();
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kNothingToApply});

    ui().clear();
    ui().queueFile(file);
    window.tbarTools(1).click();
    ASSERT_EQ(ui().fileRequests().size(), 1u);
    const platform::FileDialogRequest& request = ui().fileRequests()[0];
    EXPECT_EQ(request.kind, platform::FileDialogRequest::Kind::Open);
    EXPECT_EQ(request.title, "Open");
    EXPECT_EQ(request.filter, "Roamwise Files (*.rmw)|*.rmw|All Files (*.*)|*.*");
    EXPECT_EQ(request.initialFolder, platform::systemInfo().programFolder());
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_TRUE(window.applyPending());
    EXPECT_FALSE(unsavedShown());
    EXPECT_FALSE(resetShown());

    ui().queueAnswer(MsgBoxResult::No);
    window.mnuFileApply.click();
    EXPECT_EQ(ui().messageTexts(), Texts{kApplyQuestion});
}

TEST_F(MainWindowTest, OpeningAFileThatDiffersShowsTheResetIndicatorOnly) {
    const std::string file =
        configurationFile("Office.rmw", false, false, {{"IPAddress", kOtherAddress}});
    frmMain& window = start();
    window.advanced.txtComments.Text("edited");
    ASSERT_TRUE(unsavedShown());

    window.openConfigurationFile(file);
    EXPECT_FALSE(unsavedShown());
    EXPECT_TRUE(resetShown());
    EXPECT_FALSE(window.loadingFile());
    EXPECT_EQ(window.general.txtIP.Text(), kOtherAddress);
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
    EXPECT_EQ(ui().messageTexts(), Texts{});

    // An edit after opening shows as unsaved again.
    window.advanced.txtComments.Text("edited again");
    EXPECT_TRUE(unsavedShown());
}

TEST_F(MainWindowTest, AFolderIsNoConfigurationFile) {
    frmMain& window = start();
    // A folder where a file is expected.
    const std::string folder = path("Configs");
    std::filesystem::create_directory(folder);
    window.openConfigurationFile(folder);
    EXPECT_EQ(ui().messageTexts(), Texts{"Error opening file '" + folder + "'."});
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Exclamation);
    EXPECT_FALSE(window.loadingFile());
    EXPECT_EQ(window.Caption(), "[Current Configuration] - Roamwise");
    window.advanced.txtComments.Text("edited");
    EXPECT_TRUE(unsavedShown());
}

// ---- Saving ---------------------------------------------------------------------------

TEST_F(MainWindowTest, SavingANeverSavedConfigurationRunsSaveAs) {
    frmMain& window = start();
    window.advanced.txtComments.Text("Harbourline office");
    const std::string file = path("Office.rmw");
    ui().queueFile(file);
    window.tbarTools(2).click();

    ASSERT_EQ(ui().fileRequests().size(), 1u);
    const platform::FileDialogRequest& request = ui().fileRequests()[0];
    EXPECT_EQ(request.kind, platform::FileDialogRequest::Kind::Save);
    EXPECT_EQ(request.title, "Save As");
    EXPECT_EQ(request.fileName, "");
    EXPECT_TRUE(request.promptToOverwrite);
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_EQ(request.initialFolder, platform::systemInfo().programFolder());

    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
    EXPECT_FALSE(unsavedShown());
    EXPECT_EQ(window.document().confFile(), file);
    EXPECT_EQ(win32::GetPrivateProfileStringA("Advanced", "Comments", "", file),
              "Harbourline office");
    EXPECT_TRUE(window.sepRecent.Visible());
    EXPECT_EQ(window.mnuFileRecent(1).Caption(), "&1. Office.rmw");
    EXPECT_FALSE(window.mnuFileRecent(2).Visible());
}

TEST_F(MainWindowTest, SavingAnOpenedFileKeepsItsPathAndShowsItsNameWithoutExtension) {
    const std::string file = configurationFile("Office.v2.rmw", false, false);
    frmMain& window = start();
    window.openConfigurationFile(file);
    window.advanced.txtComments.Text("moved to the 4th floor");
    ASSERT_TRUE(unsavedShown());

    window.mnuFileSave.click();
    EXPECT_TRUE(ui().fileRequests().empty());
    EXPECT_EQ(window.Caption(), "Office - Roamwise");
    EXPECT_EQ(window.document().confFile(), file);
    EXPECT_FALSE(unsavedShown());
    EXPECT_EQ(win32::GetPrivateProfileStringA("Advanced", "Comments", "", file),
              "moved to the 4th floor");
    EXPECT_EQ(ui().messageTexts(), Texts{});

    // Save As offers the file's path and moves the new name to the top of the list.
    const std::string copy = path("Copy.rmw");
    ui().queueFile(copy);
    window.mnuFileSaveAs.click();
    EXPECT_EQ(ui().fileRequests().back().fileName, file);
    EXPECT_EQ(window.mnuFileRecent(1).Caption(), "&1. Copy.rmw");
    EXPECT_EQ(window.mnuFileRecent(2).Caption(), "&2. Office.v2.rmw");
}

TEST_F(MainWindowTest, ASaveThatFailsIsReportedAndKeepsTheIndicator) {
    const std::string file = configurationFile("Office.rmw", false, false);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    frmMain& window = start();
    window.openConfigurationFile(file);
    window.advanced.txtComments.Text("cannot be kept");

    window.mnuFileSave.click();
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, "Error saving configuration.");
    EXPECT_EQ(ui().messages()[0].buttons, MsgBoxButtons::OKOnly);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::None);
    EXPECT_TRUE(unsavedShown());
    EXPECT_EQ(window.Caption(), "Office.rmw - Roamwise");
}

TEST_F(MainWindowTest, ACancelledSaveAsChangesNothing) {
    frmMain& window = start();
    window.advanced.txtComments.Text("kept in memory");
    ui().queueFile(std::nullopt);
    window.mnuFileSave.click();
    EXPECT_EQ(ui().messageTexts(), Texts{});
    EXPECT_EQ(window.Caption(), "[Current Configuration] - Roamwise");
    EXPECT_TRUE(unsavedShown());
}

// ---- Closing --------------------------------------------------------------------------

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksAndCancelKeepsEverything) {
    frmMain& window = start();
    window.advanced.txtComments.Text("not yet saved");
    const RmwConfig* shown = &window.document();

    ui().queueAnswer(MsgBoxResult::Cancel);
    window.mnuFileExit.click();
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, "Save configuration?");
    EXPECT_EQ(ui().messages()[0].buttons, MsgBoxButtons::YesNoCancel);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::Question);
    EXPECT_TRUE(window.loaded());
    EXPECT_EQ(&window.document(), shown);
    EXPECT_EQ(window.document().Comments(), "not yet saved");

    ui().queueAnswer(MsgBoxResult::No);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.loaded());
}

TEST_F(MainWindowTest, ClosingWithYesSavesFirstAndStaysOpenWhenNothingWasSaved) {
    frmMain& window = start();
    window.advanced.txtComments.Text("to be saved");
    ui().queueAnswer(MsgBoxResult::Yes);
    ui().queueFile(std::nullopt);  // the user gives up choosing a name
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.loaded());

    const std::string file = path("Closing.rmw");
    ui().queueAnswer(MsgBoxResult::Yes);
    ui().queueFile(file);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(win32::GetPrivateProfileStringA("Advanced", "Comments", "", file), "to be saved");
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Recent", "1File"), file);
}

TEST_F(MainWindowTest, ClosingWithoutChangesAsksNothingAndStoresTheRecentList) {
    const std::string first = configurationFile("First.rmw", false, false);
    const std::string second = configurationFile("Second.rmw", false, false);
    frmMain& window = start();
    window.openConfigurationFile(first);
    window.openConfigurationFile(second);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(ui().messageTexts(), Texts{});
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Recent", "1File"), second);
    EXPECT_EQ(SettingsStore().GetSetting(kAppName, "Recent", "2File"), first);
    EXPECT_THROW(window.document(), RaisedError);  // released with the window
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheAdapterWarningWithIt) {
    frmMain& window = start();
    window.openConfigurationFile(configurationFile("Office.rmw", false, false));
    window.general.cmbNIC.ListIndex(1);  // the other adapter of the laptop
    ASSERT_NE(window.general.nicWarning(), nullptr);

    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.general.nicWarning(), nullptr);
}

// ---- Recent files ---------------------------------------------------------------------

TEST_F(MainWindowTest, TheRecentListShowsAsNumberedEntriesThatOpenTheirFile) {
    const std::string home = configurationFile("Home.rmw", false, false);
    SettingsStore store;
    store.SaveSetting(kAppName, "Recent", "1File", "C:\\Configs\\Gone.rmw");
    store.SaveSetting(kAppName, "Recent", "2File", home);
    frmMain& window = start();

    EXPECT_TRUE(window.sepRecent.Visible());
    EXPECT_EQ(window.mnuFileRecent(1).Caption(), "&1. Gone.rmw");
    EXPECT_EQ(window.mnuFileRecent(2).Caption(), "&2. Home.rmw");
    EXPECT_TRUE(window.mnuFileRecent(2).Visible());
    EXPECT_FALSE(window.mnuFileRecent(3).Visible());

    window.mnuFileRecent(2).click();
    EXPECT_EQ(window.Caption(), "Home.rmw - Roamwise");
    EXPECT_EQ(window.mnuFileRecent(1).Caption(), "&1. Home.rmw");
    EXPECT_EQ(window.mnuFileRecent(2).Caption(), "&2. Gone.rmw");
}

// ---- Group switches -------------------------------------------------------------------

TEST_F(MainWindowTest, TheToolbarAndTheViewMenuSwitchTheSameGroups) {
    frmMain& window = start();
    ASSERT_TRUE(window.document().IEInstalled());
    ASSERT_TRUE(window.document().NNInstalled());

    window.tbarTools(6).click();
    EXPECT_FALSE(window.document().ApplyGeneral());
    EXPECT_FALSE(window.tabSettings.tab(0).Enabled());
    EXPECT_FALSE(window.mnuToolsGeneral.Checked());
    EXPECT_EQ(window.tabSettings.currentTab(), 1);

    window.mnuToolsExplorer.click();
    EXPECT_FALSE(window.document().ApplyIE());
    EXPECT_FALSE(window.tbarTools(7).Pressed());
    EXPECT_FALSE(window.tabSettings.tab(1).Enabled());
    EXPECT_EQ(window.tabSettings.currentTab(), 2);

    window.tbarTools(8).click();
    EXPECT_FALSE(window.document().ApplyNN());
    EXPECT_EQ(window.tabSettings.currentTab(), 3);

    window.mnuToolsGeneral.click();
    EXPECT_TRUE(window.document().ApplyGeneral());
    EXPECT_TRUE(window.mnuToolsGeneral.Checked());
    EXPECT_TRUE(window.tbarTools(6).Pressed());
    EXPECT_TRUE(window.tabSettings.tab(0).Enabled());
    EXPECT_EQ(window.tabSettings.currentTab(), 0);

    // Switching groups is no change to apply or save.
    EXPECT_FALSE(window.applyPending());
    EXPECT_FALSE(unsavedShown());
}

TEST_F(MainWindowTest, AnOpenedFileSetsTheSwitchesButNeverEnablesAMissingBrowser) {
    const std::string file = configurationFile("Office.rmw", false, false);
    win32::WritePrivateProfileStringA("Enabled Sections", "General", "0", file);
    win32::WritePrivateProfileStringA("Enabled Sections", "Netscape Navigator", "0", file);
    frmMain& window = start();
    window.openConfigurationFile(file);
    EXPECT_FALSE(window.tbarTools(6).Pressed());
    EXPECT_FALSE(window.mnuToolsGeneral.Checked());
    EXPECT_FALSE(window.tabSettings.tab(0).Enabled());
    EXPECT_TRUE(window.tabSettings.tab(1).Enabled());
    EXPECT_FALSE(window.tabSettings.tab(2).Enabled());
    EXPECT_EQ(window.tabSettings.currentTab(), 1);
}

TEST(MainWindowPlatformTest, AFileNamingAMissingBrowserLeavesItsTabDisabled) {
    testsupport::TestMachine machine("nt4");
    testsupport::TempFolder folder;
    const std::string file = (folder.path() / "Office.rmw").string();
    {
        RmwConfig current;
        current.ApplyNN(true);
        current.saveConfigurationFile(file, AddInList());
    }
    frmMain window;
    window.Load();
    window.openConfigurationFile(file);
    EXPECT_TRUE(window.document().ApplyNN());
    EXPECT_TRUE(window.tbarTools(8).Pressed());
    EXPECT_FALSE(window.tabSettings.tab(2).Enabled());
}

// ---- Help, about, options --------------------------------------------------------------

TEST_F(MainWindowTest, HelpOpensTheIndexPageAndAboutShowsTheVersion) {
    auto& shell = keep<testsupport::RecordingShell>();
    platform::Services services = machine_.services();
    services.shell = &shell;
    machine_.install(services);
    frmMain& window = start();
    window.mnuHelpHelp.click();
    const std::string folder = platform::systemInfo().programFolder();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].operation, "");
    EXPECT_EQ(shell.opened[0].file, folder + "\\help\\index.html");
    EXPECT_EQ(shell.opened[0].parameters, "");
    EXPECT_EQ(shell.opened[0].directory, folder + "\\");

    std::string title, version;
    ui().queueDialog([&](forms::Form& about) {
        EXPECT_EQ(about.Caption(), "About Roamwise");
        title = about.control<forms::Label>("lblTitle").Caption();
        version = about.control<forms::Label>("lblVersion").Caption();
        about.control<forms::CommandButton>("cmdOK").click();
        EXPECT_FALSE(about.loaded());
    });
    window.mnuHelpAbout.click();
    EXPECT_EQ(ui().timesShown("frmAbout"), 1);
    EXPECT_EQ(title, "Roamwise");
    EXPECT_EQ(version, "Version 2.1.0");
}

TEST_F(MainWindowTest, TheOptionsDialogDecidesTheRestartModeAgain) {
    frmMain& window = start();
    ASSERT_FALSE(window.autoRestart());
    ui().queueDialog([&](forms::Form&) { setOption("AutoReset", "1"); });
    window.mnuToolsOptions.click();
    EXPECT_EQ(ui().timesShown("frmOptions"), 1);
    EXPECT_TRUE(window.autoRestart());
}

// ---- The window's controls ------------------------------------------------------------

TEST_F(MainWindowTest, MenusToolbarStatusBarAndTabsCarryTheirCaptions) {
    frmMain window;
    const std::vector<std::tuple<forms::MenuItem*, std::string, std::string>> items = {
        {&window.mnuFile, "&File", ""},
        {&window.mnuFileOpen, "&Open...", "Ctrl+O"},
        {&window.mnuFileSave, "&Save", "Ctrl+S"},
        {&window.mnuFileSaveAs, "Sa&ve As...", ""},
        {&window.mnuFileApply, "&Apply Configuration", "Ctrl+A"},
        {&window.mnuFileExit, "E&xit", ""},
        {&window.mnuTools, "&View", ""},
        {&window.mnuToolsRefresh, "&Refresh", "F5"},
        {&window.mnuToolsGeneral, "Enable &General Properties", ""},
        {&window.mnuToolsExplorer, "Enable &Internet Explorer Properties", ""},
        {&window.mnuToolsNavigator, "Enable &Netscape Navigator Properties", ""},
        {&window.mnuToolsOptions, "&Options...", ""},
        {&window.mnuAddInsMenu, "&Add-Ins", ""},
        {&window.mnuToolsAddInManager, "&Add-In Manager...", ""},
        {&window.mnuHelp, "&Help", ""},
        {&window.mnuHelpHelp, "Roamwise &Help Topics", "F1"},
        {&window.mnuHelpAbout, "&About Roamwise", ""},
    };
    for (const auto& [item, caption, shortcut] : items) {
        EXPECT_EQ(item->Caption(), caption) << item->Name();
        EXPECT_EQ(item->Shortcut(), shortcut) << item->Name();
    }
    for (forms::MenuItem* separator :
         {&window.mnuFileSep1, &window.mnuFileSep2, &window.sepRecent, &window.mnuToolsSep1,
          &window.mnuToolsSep2, &window.mnuAddInsSep1, &window.mnuHelpSep1}) {
        EXPECT_TRUE(separator->isSeparator()) << separator->Name();
    }
    EXPECT_EQ(window.find("mnuFileRecent(5)"), &window.mnuFileRecent(5));
    EXPECT_EQ(window.find("mnuAddIns(19)"), &window.mnuAddIns(19));
    EXPECT_THROW(window.mnuFileRecent(6), std::out_of_range);
    EXPECT_THROW(window.mnuAddIns(20), std::out_of_range);

    const Texts toolTips = {"Open configuration",
                            "Save configuration",
                            "",
                            "Apply configuration",
                            "",
                            "Enable General properties",
                            "Enable Internet Explorer properties",
                            "Enable Netscape Navigator properties"};
    for (int index = 1; index <= 8; ++index) {
        EXPECT_EQ(window.tbarTools(index).ToolTipText(), toolTips[index - 1]) << index;
        EXPECT_EQ(window.find("tbarTools(" + std::to_string(index) + ")"),
                  &window.tbarTools(index));
    }
    using Style = forms::ToolbarButton::Style;
    EXPECT_EQ(window.tbarTools(3).style(), Style::Separator);
    EXPECT_EQ(window.tbarTools(5).style(), Style::Separator);
    EXPECT_EQ(window.tbarTools(7).style(), Style::Check);

    const Texts panelTips = {"Last configuration file applied with Roamwise", "Roamwise version",
                             "The current configuration has unsaved changes",
                             "The current configuration requires a reset"};
    for (int index = 1; index <= 4; ++index) {
        EXPECT_EQ(window.sbStatus(index).ToolTipText(), panelTips[index - 1]) << index;
    }
    const Texts tabs = {"General", "I. Explorer", "N. Navigator", "Advanced"};
    ASSERT_EQ(window.tabSettings.tabCount(), 4);
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(window.tabSettings.tab(index).Caption(), tabs[index]);
    }
}

// ---- The status protocol --------------------------------------------------------------

TEST_F(MainWindowTest, UpdateStatusShowsAndHidesTheIndicators) {
    frmMain& window = start();
    struct Step {
        std::int16_t mode;
        bool unsaved, reset;
    };
    const Step steps[] = {{1, true, false}, {2, true, true},   {-1, false, true},
                          {3, true, true},  {-2, true, false}, {-3, false, false},
                          {3, true, true},  {7, true, true},   {-3, false, false}};
    for (const Step& step : steps) {
        window.updateStatus(step.mode);
        EXPECT_EQ(unsavedShown(), step.unsaved) << step.mode;
        EXPECT_EQ(resetShown(), step.reset) << step.mode;
        EXPECT_TRUE(window.applyPending());
    }
}

}  // namespace
}  // namespace mainwindowtest
