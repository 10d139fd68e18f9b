// The Add-In Manager: which registrations it lists on each platform, their ticks, the
// selected add-in's details, OK and Cancel, the about box from an object of its own, and
// the main window's add-ins after the manager closes.

#include <gtest/gtest.h>

#include "app/logic/dialogs/frmAddIns.h"
#include "tests/app/AddInFixture.h"
#include "tests/support/RecordingShell.h"

namespace mainwindowtest {
namespace {

using platform::MsgBoxIcon;

class AddInManagerTest : public AddInWindowTest {
  protected:
    explicit AddInManagerTest(const std::string& templateName = "win98")
        : AddInWindowTest(templateName) {}

    static void describe(const std::string& name, const std::string& file,
                         const std::string& version) {
        SettingsStore().SaveSetting(kAppName, "Add-Ins\\" + name, "File", file);
        SettingsStore().SaveSetting(kAppName, "Add-Ins\\" + name, "Version", version);
    }
    static Texts listed(const frmAddIns& manager) {
        Texts names;
        for (int index = 0; index < manager.lstAddIns.ListCount(); ++index)
            names.push_back(manager.lstAddIns.List(index));
        return names;
    }
    static Texts ticked(const frmAddIns& manager) {
        Texts names;
        for (int index = 0; index < manager.lstAddIns.ListCount(); ++index)
            if (manager.lstAddIns.itemChecked(index)) names.push_back(manager.lstAddIns.List(index));
        return names;
    }
    static int indexOf(const frmAddIns& manager, const std::string& name) {
        for (int index = 0; index < manager.lstAddIns.ListCount(); ++index)
            if (manager.lstAddIns.List(index) == name) return index;
        ADD_FAILURE() << name << " is not listed";
        return -1;
    }
    // The usual mix: one for any platform, one per platform, one without a class and one
    // that has never been switched either way.
    static void registerMix() {
        registerAddIn("Any", "Test.Any", "*", "1");
        registerAddIn("Win95", "Test.Win95", "95", "0");
        registerAddIn("NT", "Test.NT", "NT", "1");
        registerAddIn("NoClass", "", "*", "1");
        registerAddIn("NoState", "Test.Any", "*", "");
    }
};

TEST_F(AddInManagerTest, TheDialogHasItsCaptionsAndToolTips) {
    struct Expected {
        const char *name, *caption, *toolTip;
    };
    const std::vector<Expected> expected = {
        {"Frame1", "Add-Ins", ""},
        {"lstAddIns", "", "Check the box to activate an add-in"},
        {"frAddIn", "Add-In Name", ""},
        {"Label1", "File:", ""},
        {"txtFile", "", ""},
        {"Label2", "Version:", ""},
        {"txtVersion", "", ""},
        {"cmdAbout", "&About", "Display information for selected Add-In"},
        {"cmdHelp", "&Help", "Display Add-In help"},
        {"cmdOK", "OK", "Close Add-In dialog and apply changes"},
        {"cmdCancel", "Cancel", "Close Add-In dialog and cancel changes"},
    };
    frmAddIns manager;
    EXPECT_EQ(manager.Caption(), "Add-In Manager");
    ASSERT_EQ(manager.controls().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const forms::Control& control = *manager.controls()[i];
        EXPECT_EQ(control.Name(), expected[i].name);
        EXPECT_EQ(control.Caption(), expected[i].caption) << expected[i].name;
        EXPECT_EQ(control.ToolTipText(), expected[i].toolTip) << expected[i].name;
    }
    EXPECT_TRUE(manager.cmdOK.Default());
    EXPECT_TRUE(manager.cmdCancel.Cancel());
}

TEST_F(AddInManagerTest, OnWindows98ItListsTheAddInsForAnyPlatformAnd95WithTheirTicks) {
    registerMix();
    frmAddIns manager;
    manager.Load();
    EXPECT_EQ(listed(manager), inStoreOrder({"Any", "Win95", "NoState"}));
    EXPECT_EQ(ticked(manager), Texts{"Any"});
    // The first entry is selected and shown; nothing was described, so placeholders show.
    ASSERT_EQ(manager.lstAddIns.ListIndex(), 0);
    EXPECT_EQ(manager.frAddIn.Caption(), manager.lstAddIns.List(0));
    EXPECT_EQ(manager.txtFile.Text(), "<no file specified>");
    EXPECT_EQ(manager.txtVersion.Text(), "<no version specified>");
    EXPECT_TRUE(manager.cmdAbout.Enabled());
}

class AddInManagerNTTest : public AddInManagerTest {
  protected:
    AddInManagerNTTest() : AddInManagerTest("nt4") {}
};

TEST_F(AddInManagerNTTest, OnWindowsNTItListsTheAddInsForAnyPlatformAndNT) {
    registerMix();
    frmAddIns manager;
    manager.Load();
    EXPECT_EQ(listed(manager), inStoreOrder({"Any", "NT", "NoState"}));
    EXPECT_EQ(ticked(manager), inStoreOrder({"Any", "NT"}));
}

TEST_F(AddInManagerTest, SelectingAnEntryShowsItsFileAndVersion) {
    registerAddIn("Hosts", "Test.Hosts", "*", "1");
    registerAddIn("VPN...", "Test.VPN", "95", "0");
    describe("Hosts", "C:\\Program Files\\Roamwise\\AddIns\\hosts.so", "1.2");
    frmAddIns manager;
    manager.Load();
    ASSERT_TRUE(manager.lstAddIns.pick(indexOf(manager, "Hosts")));
    EXPECT_EQ(manager.frAddIn.Caption(), "Hosts");
    EXPECT_EQ(manager.txtFile.Text(), "C:\\Program Files\\Roamwise\\AddIns\\hosts.so");
    EXPECT_EQ(manager.txtVersion.Text(), "1.2");
    EXPECT_TRUE(manager.txtFile.Locked());

    ASSERT_TRUE(manager.lstAddIns.pick(indexOf(manager, "VPN...")));
    EXPECT_EQ(manager.frAddIn.Caption(), "VPN...");
    EXPECT_EQ(manager.txtFile.Text(), "<no file specified>");
    EXPECT_EQ(manager.txtVersion.Text(), "<no version specified>");
    // Selecting changes no tick.
    EXPECT_EQ(ticked(manager), Texts{"Hosts"});
}

TEST_F(AddInManagerTest, WithoutAddInsTheListAndFieldsAreEmptyAndAboutIsOff) {
    registerAddIn("NT only", "Test.NT", "NT", "1");
    frmAddIns manager;
    manager.Load();
    EXPECT_EQ(manager.lstAddIns.ListCount(), 0);
    EXPECT_EQ(manager.lstAddIns.ListIndex(), -1);
    EXPECT_EQ(manager.frAddIn.Caption(), "Add-In Name");
    EXPECT_EQ(manager.txtFile.Text(), "");
    EXPECT_EQ(manager.txtVersion.Text(), "");
    EXPECT_FALSE(manager.cmdAbout.Enabled());
    manager.cmdAbout.click();
    manager.cmdOK.click();
    EXPECT_FALSE(manager.loaded());
    EXPECT_EQ(ui().messageTexts(), Texts{});
    EXPECT_EQ(active("NT only"), "1");
}

TEST_F(AddInManagerTest, OKStoresEveryListedTickAndLeavesOtherRegistrationsAlone) {
    registerMix();
    frmAddIns manager;
    manager.Load();
    ASSERT_TRUE(manager.lstAddIns.check(indexOf(manager, "Any"), false));
    ASSERT_TRUE(manager.lstAddIns.check(indexOf(manager, "Win95"), true));
    manager.cmdOK.click();
    EXPECT_FALSE(manager.loaded());
    EXPECT_EQ(active("Any"), "0");
    EXPECT_EQ(active("Win95"), "1");
    EXPECT_EQ(active("NoState"), "0");  // stored although left as it was
    EXPECT_EQ(active("NT"), "1");       // not listed on this platform
    EXPECT_EQ(active("NoClass"), "1");
}

TEST_F(AddInManagerTest, AboutCallsAFreshObjectAndReleasesIt) {
    ScopedClass hosts("Test.Hosts");
    registerAddIn("Hosts", "Test.Hosts", "*", "1");
    frmMain& window = start();
    ASSERT_EQ(hosts.state().made.size(), 1u);
    ui().queueDialog([&](forms::Form& form) {
        auto& manager = dynamic_cast<frmAddIns&>(form);
        manager.cmdAbout.click();
        EXPECT_EQ(hosts.state().calls, Texts{"about"});
        EXPECT_EQ(hosts.state().made.size(), 2u);
        EXPECT_TRUE(hosts.state().made[1].expired());   // the About object is gone
        EXPECT_FALSE(hosts.state().made[0].expired());  // the loaded one is untouched
        manager.cmdOK.click();
    });
    window.mnuToolsAddInManager.click();
    EXPECT_EQ(ui().messageTexts(), Texts{});
    // The manager closed and the window made its add-in again.
    EXPECT_EQ(hosts.state().made.size(), 3u);
    EXPECT_EQ(hosts.state().alive(), 1);
}

TEST_F(AddInManagerTest, AnAboutThatFailsIsReportedAndTheManagerKeepsWorking) {
    ScopedClass broken("Test.Broken");
    broken.state().failAbout = true;
    registerAddIn("A Missing", "Test.Missing", "*", "1");
    registerAddIn("B Broken", "Test.Broken", "*", "1");
    registerAddInClass("Test.Mute", [] { return std::make_shared<DispatchAddIn>("Test.Mute"); });
    registerAddIn("C Mute", "Test.Mute", "*", "0");
    frmAddIns manager;
    manager.Load();
    for (const char* name : {"A Missing", "B Broken", "C Mute"}) {
        manager.lstAddIns.pick(indexOf(manager, name));
        manager.cmdAbout.click();
    }
    unregisterAddInClass("Test.Mute");
    EXPECT_EQ(ui().messageTexts(),
              (Texts{"Error referencing Add-In control: 'Test.Missing'.\r\r"
                     "ActiveX component can't create object (the class Test.Missing is not "
                     "registered (HKEY_CLASSES_ROOT\\Test.Missing\\CLSID has no class id))\r\r" +
                         kReferenceError,
                     "Error attempting to access Add-In.\r\rThe about box is missing\r\r" +
                         kReferenceError,
                     "Error attempting to access Add-In.\r\r"
                     "Object doesn't support this property or method\r\r" + kReferenceError}));
    for (const auto& message : ui().messages()) EXPECT_EQ(message.icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(broken.state().alive(), 0);
    EXPECT_TRUE(manager.loaded());
    manager.lstAddIns.check(indexOf(manager, "A Missing"), false);
    manager.cmdOK.click();
    EXPECT_EQ(active("A Missing"), "0");
}

TEST_F(AddInManagerTest, HelpOpensTheIndexPageFromTheProgramFolder) {
    auto& shell = keep<testsupport::RecordingShell>();
    platform::Services services = machine_.services();
    services.shell = &shell;
    machine_.install(services);
    frmAddIns manager;
    manager.Load();
    manager.cmdHelp.click();
    const std::string folder = platform::systemInfo().programFolder();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].operation, "");
    EXPECT_EQ(shell.opened[0].file, folder + "\\help\\index.html");
    EXPECT_EQ(shell.opened[0].parameters, "");
    EXPECT_EQ(shell.opened[0].directory, folder + "\\");
    EXPECT_TRUE(manager.loaded());
}

// ---- The main window after the manager --------------------------------------------------

TEST_F(AddInManagerTest, SwitchingAnAddInOffRemovesItsEntryReleasesItAndStopsItsSections) {
    ScopedClass vpn("Test.VPN"), hosts("Test.Hosts");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    registerAddIn("Hosts", "Test.Hosts", "*", "1");
    frmMain& window = start();
    ASSERT_EQ(visibleAddInEntries(), withDots(inStoreOrder({"VPN", "Hosts"})));

    ui().queueDialog([&](forms::Form& form) {
        auto& manager = dynamic_cast<frmAddIns&>(form);
        manager.lstAddIns.check(indexOf(manager, "VPN"), false);
        manager.cmdOK.click();
    });
    window.mnuToolsAddInManager.click();
    EXPECT_EQ(ui().timesShown("frmAddIns"), 1);
    EXPECT_EQ(active("VPN"), "0");
    EXPECT_EQ(visibleAddInEntries(), Texts{"Hosts..."});
    EXPECT_EQ(loadedNames(), Texts{"Hosts"});
    EXPECT_TRUE(window.mnuAddInsSep1.Visible());
    EXPECT_EQ(vpn.state().alive(), 0);
    EXPECT_EQ(hosts.state().alive(), 1);

    // Saving and opening a file no longer reach it.
    ui().queueFile(path("Office.rmw"));
    window.mnuFileSaveAs.click();
    ui().queueFile(path("Office.rmw"));
    window.mnuFileOpen.click();
    EXPECT_EQ(vpn.state().calls, Texts{});
    EXPECT_EQ(hosts.state().calls, (Texts{"saveSettings", "loadSettings"}));

    // Switching it on again brings it back.
    ui().queueDialog([&](forms::Form& form) {
        auto& manager = dynamic_cast<frmAddIns&>(form);
        manager.lstAddIns.check(indexOf(manager, "VPN"), true);
        manager.cmdOK.click();
    });
    window.mnuToolsAddInManager.click();
    EXPECT_EQ(visibleAddInEntries(), withDots(inStoreOrder({"VPN", "Hosts"})));
    EXPECT_EQ(vpn.state().alive(), 1);
}

TEST_F(AddInManagerTest, CancelAndTheWindowFrameKeepEveryActiveValueButTheAddInsAreMadeAgain) {
    ScopedClass vpn("Test.VPN");
    registerAddIn("VPN", "Test.VPN", "*", "1");
    registerAddIn("Off", "Test.VPN", "*", "0");
    registerAddIn("NoState", "Test.VPN", "*", "");
    frmMain& window = start();
    for (const bool byFrame : {false, true}) {
        ui().queueDialog([&](forms::Form& form) {
            auto& manager = dynamic_cast<frmAddIns&>(form);
            manager.lstAddIns.check(indexOf(manager, "VPN"), false);
            manager.lstAddIns.check(indexOf(manager, "Off"), true);
            manager.lstAddIns.check(indexOf(manager, "NoState"), true);
            if (byFrame) manager.close();
            else manager.cmdCancel.click();
        });
        window.mnuToolsAddInManager.click();
        EXPECT_EQ(active("VPN"), "1");
        EXPECT_EQ(active("Off"), "0");
        EXPECT_EQ(active("NoState"), "<missing>");
        EXPECT_EQ(loadedNames(), Texts{"VPN"});
    }
    EXPECT_EQ(vpn.state().made.size(), 3u);  // released and made again each time
    EXPECT_EQ(vpn.state().alive(), 1);
}

}  // namespace
}  // namespace mainwindowtest
