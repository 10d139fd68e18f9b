// The tray utility's hidden window: finding the main program, the icon it adds and
// removes, the icon's menu with the recent files, the command lines it starts the main
// program with, closing (and disabling) it, and the question at the session's end.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/AsciiText.h"
#include "registry/clsEasyRegistry.h"
#include "settings/SettingsStore.h"
#include "tests/support/RecordingNotificationArea.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/ScriptedSessionEnd.h"
#include "tests/support/TestMachine.h"
#include "tray/frmSysTray.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;
using platform::SessionEndReason;
using Texts = std::vector<std::string>;

constexpr const char* kAppPaths =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* kCurrentVersion = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kUtilityFolder = "C:\\Tools\\Roamwise";
constexpr const char* kProgramFilesRmw = "C:\\Program Files\\Roamwise\\Rmw.exe";
constexpr const char* kSessionQuestion =
    "Roamwise has been set to run at ShutDown/Logoff.\r\n\r\nWould you like to run Roamwise now?";

// The machine's system facts, except that the utility runs from a folder of its C:
// drive, where a test puts (or leaves out) the main program.
class UtilityOnDriveC : public platform::SystemInfo {
  public:
    explicit UtilityOnDriveC(platform::SystemInfo& machine) : machine_(machine) {}
    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* info) override {
        return machine_.GetVersionExA(info);
    }
    std::string GetWindowsDirectoryA() override { return machine_.GetWindowsDirectoryA(); }
    std::string GetSystemDirectoryA() override { return machine_.GetSystemDirectoryA(); }
    std::string programFolder() override { return kUtilityFolder; }

  private:
    platform::SystemInfo& machine_;
};

class TrayUtilityTest : public ::testing::Test {
  protected:
    TrayUtilityTest() {
        platform::Services services = machine_.services();
        system_.emplace(*services.system);
        services.system = &*system_;
        services.shell = &shell_;
        services.notificationArea = &area_;
        services.session = &session_;
        machine_.install(services);
    }

    static void createFile(const std::string& windowsPath) {
        const std::filesystem::path native = platform::files().toNative(windowsPath);
        std::filesystem::create_directories(native.parent_path());
        std::ofstream(native) << "MZ";
    }
    static void writeValue(const std::string& parent, const std::string& key,
                           const std::string& name, const std::string& value) {
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd(parent);
        registry.MakeKey(key);
        registry.Cd(platform::concat({parent, "\\", key}));
        registry.ValueOf(name, clsEasyRegistry::STRING, value);
        ASSERT_EQ(registry.lastError(), 0);
    }
    static bool hasRunValue(const std::string& name) {
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd(platform::concat({kCurrentVersion, "\\Run"}));
        registry.ValueOf(name);
        return registry.lastError() == 0;
    }
    static void store(const std::string& section, const std::string& key, const std::string& value) {
        SettingsStore().SaveSetting(kAppName, section, key, value);
    }
    static std::optional<std::string> option(const std::string& key) {
        return SettingsStore().FindSetting(kAppName, "Options", key);
    }
    static void storeRecent(const Texts& files) {
        for (std::size_t i = 0; i < files.size(); ++i)
            store("Recent", std::to_string(i + 1) + "File", files[i]);
        store("Recent", std::to_string(files.size() + 1) + "File", "");
    }
    // Starts the utility with the main program where the App Paths entry says.
    void loadWithMainProgram(frmSysTray& tray, const std::string& path = kProgramFilesRmw) {
        writeValue(kAppPaths, "rmw.exe", "", path);
        tray.Load();
    }
    Texts rightClick() {
        EXPECT_TRUE(area_.raiseIconEvent(win32::WM_RBUTTONUP));
        return area_.menusShown().empty() ? Texts{} : area_.menusShown().back().captions();
    }

    testsupport::TestMachine machine_;
    std::optional<UtilityOnDriveC> system_;
    testsupport::RecordingShell shell_;
    testsupport::RecordingNotificationArea area_;
    testsupport::ScriptedSessionEnd session_;
};

TEST_F(TrayUtilityTest, FindsTheMainProgramThroughAppPathsThenBesideItselfThenProgramFiles) {
    {  // The App Paths entry counts even when its file is missing.
        writeValue(kAppPaths, "rmw.exe", "", "D:\\Elsewhere\\Rmw.exe");
        createFile(platform::concat({kUtilityFolder, "\\Rmw.exe"}));
        createFile(kProgramFilesRmw);
        frmSysTray tray;
        tray.Load();
        EXPECT_EQ(tray.mainProgramPath(), "D:\\Elsewhere\\Rmw.exe");
        EXPECT_TRUE(tray.mnuOpen.Enabled());
    }
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(kAppPaths);
    registry.DeleteKey("rmw.exe");
    {
        frmSysTray tray;
        tray.Load();
        EXPECT_EQ(tray.mainProgramPath(), platform::concat({kUtilityFolder, "\\Rmw.exe"}));
    }
    std::filesystem::remove(platform::files().toNative(platform::concat({kUtilityFolder, "\\Rmw.exe"})));
    {  // The Windows folder C:\WINDOWS puts Program Files on C:.
        ASSERT_EQ(platform::systemInfo().GetWindowsDirectoryA(), "C:\\WINDOWS");
        frmSysTray tray;
        tray.Load();
        EXPECT_EQ(tray.mainProgramPath(), kProgramFilesRmw);
    }
    std::filesystem::remove(platform::files().toNative(kProgramFilesRmw));
    {  // Not found: Open is disabled, a double click and the recent files do nothing.
        storeRecent({"C:\\Cfg\\Home.rmw"});
        frmSysTray tray;
        tray.Load();
        EXPECT_EQ(tray.mainProgramPath(), "");
        EXPECT_FALSE(tray.mnuOpen.Enabled());
        area_.raiseIconEvent(win32::WM_LBUTTONDBLCLK);
        EXPECT_EQ(rightClick(), (Texts{"&Open Roamwise...", "-", "&Close", "Close and &Disable",
                                       "-", "&About Roamwise"}));
        EXPECT_FALSE(area_.menusShown().back().items.front().enabled);
        EXPECT_TRUE(shell_.started.empty());
    }
}

TEST_F(TrayUtilityTest, StartAddsTheIconWithItsRecordAndUnloadRemovesTheSameRecord) {
    frmSysTray tray;
    EXPECT_EQ(tray.Caption(), "Roamwise System Tray");
    loadWithMainProgram(tray);
    EXPECT_EQ(option("TrayIconActive"), "1");
    ASSERT_EQ(area_.calls().size(), 1u);
    const testsupport::NotifyIconCall add = area_.calls()[0];
    EXPECT_EQ(add.message, win32::NIM_ADD);
    EXPECT_EQ(add.result, 1);
    EXPECT_EQ(add.record.cbSize, 88u);
    EXPECT_NE(add.record.hWnd, 0u);
    EXPECT_EQ(add.record.uID, 1u);
    EXPECT_EQ(add.record.uFlags, 7u);
    EXPECT_EQ(add.record.uCallbackMessage, 512u);
    EXPECT_EQ(add.record.hIcon, testsupport::RecordingNotificationArea::kProgramIcon);
    EXPECT_EQ(add.tip(), "Roamwise 2.1.0");
    // The busy pointer shows while the window loads, and goes again.
    EXPECT_EQ(machine_.ui().pointerHistory().front(), platform::MousePointer::Hourglass);
    EXPECT_EQ(machine_.ui().mousePointer(), platform::MousePointer::Default);

    // A mouse move, a left click and messages that are not the callback do nothing.
    area_.raiseIconEvent(win32::WM_MOUSEMOVE);
    area_.raiseIconEvent(win32::WM_LBUTTONUP);
    tray.windowProcedure(win32::WM_RBUTTONUP, 1, win32::WM_RBUTTONUP);
    EXPECT_TRUE(area_.menusShown().empty());
    EXPECT_TRUE(shell_.started.empty());

    tray.mnuClose.click();
    EXPECT_FALSE(tray.loaded());
    EXPECT_EQ(option("TrayIconActive"), "0");
    ASSERT_EQ(area_.calls().size(), 2u);
    EXPECT_EQ(area_.calls()[1].message, win32::NIM_DELETE);
    EXPECT_EQ(area_.calls()[1].result, 1);
    EXPECT_EQ(std::memcmp(&area_.calls()[1].record, &add.record, sizeof add.record), 0);
    EXPECT_TRUE(area_.icons().empty());
    EXPECT_EQ(area_.windowCount(), 0);
}

TEST_F(TrayUtilityTest, AnAreaThatRefusesTheIconLeavesTheUtilityNotRunning) {
    area_.isAvailable = false;
    frmSysTray tray;
    EXPECT_THROW(loadWithMainProgram(tray), std::runtime_error);
    EXPECT_FALSE(tray.loaded());
    EXPECT_EQ(option("TrayIconActive"), "0");
    EXPECT_EQ(area_.windowCount(), 0);
}

TEST_F(TrayUtilityTest, RightClickShowsTheMenuWithTheRecentFilesAndHidesStaleOnes) {
    storeRecent({"C:\\Cfg\\Office.rmw", "C:\\Cfg\\Home.rmw", "Customer.rmw"});
    frmSysTray tray;
    loadWithMainProgram(tray);
    EXPECT_FALSE(tray.sepRecent.Visible());
    EXPECT_EQ(rightClick(), (Texts{"&Open Roamwise...", "-", "&Close", "Close and &Disable", "-",
                                   "&About Roamwise", "-", "&1. Office.rmw", "&2. Home.rmw",
                                   "&3. Customer.rmw"}));
    EXPECT_EQ(area_.menusShown().back().menu, "mnuConfigure");
    EXPECT_FALSE(tray.mnuFileRecent(4).Visible());
    EXPECT_FALSE(tray.mnuFileRecent(5).Visible());

    // The main program shortened the list meanwhile: the entry still on the screen
    // starts nothing, and the next menu no longer has it.
    storeRecent({"C:\\Cfg\\Home.rmw"});
    tray.mnuFileRecent(3).click();
    EXPECT_TRUE(shell_.started.empty());
    EXPECT_TRUE(machine_.ui().messages().empty());
    EXPECT_EQ(rightClick().back(), "&1. Home.rmw");
    EXPECT_FALSE(tray.mnuFileRecent(2).Visible());
    storeRecent({});
    EXPECT_EQ(rightClick().back(), "&About Roamwise");
}

TEST_F(TrayUtilityTest, StartsTheMainProgramAloneOrWithTheRecentFile) {
    storeRecent({"C:\\Cfg\\Office.rmw", "C:\\Cfg\\Home.rmw", "C:\\Cfg\\Customer.rmw"});
    frmSysTray tray;
    loadWithMainProgram(tray, "C:\\Program Files\\Roamwise\\Rmw.exe");

    area_.raiseIconEvent(win32::WM_LBUTTONDBLCLK);
    area_.queueMenuChoice("mnuOpen");
    rightClick();
    area_.queueMenuChoice("mnuFileRecent(2)");
    rightClick();
    ASSERT_EQ(shell_.started.size(), 3u);
    for (const auto& start : shell_.started) EXPECT_EQ(start.program, kProgramFilesRmw);
    EXPECT_TRUE(shell_.started[0].arguments.empty());
    EXPECT_TRUE(shell_.started[1].arguments.empty());
    const Texts recent = shell_.started[2].arguments;
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0], "\"C:\\Cfg\\Home.rmw\",\"Home.rmw\"");
    EXPECT_EQ(recent[0].size(), 28u);
    EXPECT_EQ(recentFileArgument("Home.rmw"), "\"Home.rmw\",\"Home.rmw\"");

    // A start that fails is reported, not passed over.
    shell_.startSucceeds = false;
    tray.mnuOpen.click();
    EXPECT_EQ(machine_.ui().messageTexts(), Texts{"Could not start: " + std::string(kProgramFilesRmw)});
}

TEST_F(TrayUtilityTest, CloseAndDisableRemovesTheRunEntryAndTheIcon) {
    writeValue(kCurrentVersion, "Run", "RmwSysTray", "\"C:\\Tools\\Roamwise\\RmwSysTray.exe\"");
    writeValue(kCurrentVersion, "Run", "Roamwise", "\"C:\\Tools\\Roamwise\\Rmw.exe\"");
    for (int round = 0; round < 2; ++round) {  // the second time without a Run value
        frmSysTray tray;
        loadWithMainProgram(tray);
        area_.queueMenuChoice("mnuCloseDisable");
        rightClick();
        EXPECT_FALSE(tray.loaded());
        EXPECT_FALSE(hasRunValue("RmwSysTray"));
        EXPECT_TRUE(hasRunValue("Roamwise"));
        EXPECT_EQ(option("TrayIcon"), "0");
        EXPECT_EQ(option("TrayIconActive"), "0");
        EXPECT_TRUE(area_.icons().empty());
    }
}

TEST_F(TrayUtilityTest, TheAboutBoxShowsModelessAndGoesWithTheUtility) {
    frmSysTray tray;
    loadWithMainProgram(tray);
    area_.queueMenuChoice("mnuAbout");
    rightClick();
    frmTrayAbout& about = tray.aboutBox();
    EXPECT_TRUE(about.loaded());
    EXPECT_EQ(machine_.ui().modelessForms(), std::vector<forms::Form*>{&about});
    EXPECT_EQ(about.Caption(), "About Roamwise");
    EXPECT_EQ(about.lblTitle.Caption(), "Roamwise");
    EXPECT_EQ(about.lblVersion.Caption(), "Version 2.1.0");
    about.cmdOK.click();
    EXPECT_FALSE(about.loaded());
    EXPECT_TRUE(tray.loaded());

    tray.mnuAbout.click();
    tray.mnuClose.click();
    EXPECT_FALSE(about.loaded());
    EXPECT_TRUE(machine_.ui().modelessForms().empty());
}

TEST_F(TrayUtilityTest, SessionEndClosesSilentlyUnlessTheMainProgramShouldRun) {
    {  // "AutoShutdown" missing: the utility goes without a word.
        frmSysTray tray;
        loadWithMainProgram(tray);
        EXPECT_TRUE(session_.endSession(SessionEndReason::Shutdown));
        EXPECT_FALSE(tray.loaded());
        EXPECT_EQ(option("TrayIconActive"), "0");
        EXPECT_TRUE(machine_.ui().messages().empty());
    }
    store("Options", "AutoShutdown", "1");
    {  // Yes: the main program starts and the logoff stops; No: the utility goes.
        frmSysTray tray;
        loadWithMainProgram(tray);
        machine_.ui().queueAnswer(MsgBoxResult::Yes);
        EXPECT_FALSE(session_.endSession(SessionEndReason::Logoff));
        EXPECT_TRUE(tray.loaded());
        EXPECT_EQ(shell_.startedPrograms(), Texts{kProgramFilesRmw});
        ASSERT_EQ(machine_.ui().messages().size(), 1u);
        const testsupport::ShownMessage& question = machine_.ui().messages()[0];
        EXPECT_EQ(question.text, kSessionQuestion);
        EXPECT_EQ(question.buttons, MsgBoxButtons::YesNo);
        EXPECT_EQ(question.icon, MsgBoxIcon::Question);
        EXPECT_EQ(question.caption, "Roamwise");
        EXPECT_FALSE(area_.icons().empty());

        machine_.ui().queueAnswer(MsgBoxResult::No);
        EXPECT_TRUE(session_.endSession(SessionEndReason::Shutdown));
        EXPECT_FALSE(tray.loaded());
        EXPECT_EQ(shell_.started.size(), 1u);
    }
    {  // Closing for any other reason asks nothing.
        frmSysTray tray;
        loadWithMainProgram(tray);
        machine_.ui().clear();
        EXPECT_TRUE(tray.close());
        EXPECT_TRUE(machine_.ui().messages().empty());
        // A closed utility no longer answers the session.
        EXPECT_TRUE(session_.endSession(SessionEndReason::Shutdown));
    }
}

}  // namespace
