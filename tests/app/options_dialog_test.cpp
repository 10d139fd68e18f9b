// The options dialog: what it shows for the stored options and registry entries, what OK
// stores, the checks on the maximum number of recent files, starting the tray utility,
// and the .RMW file association.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/logic/dialogs/NumericText.h"
#include "app/logic/dialogs/frmOptions.h"
#include "platform/AsciiText.h"
#include "registry/clsEasyRegistry.h"
#include "settings/SettingsStore.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;
using testsupport::press;
using testsupport::RecordingShell;
using testsupport::setCheck;
using Texts = std::vector<std::string>;

const char* const kRunKey =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kCommandKey = "\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell\\open\\command";
const char* const kInvalidMaximum = "Please enter a numeric value from 0 to 5.";
const char* const kStartTrayQuestion = "Would you like to start the system tray utility now?";
const char* const kAssociate = "Associate .RMW &files with Roamwise";
const char* const kUnassociate = "Un-Associate .RMW &files with Roamwise";

// The machine's system facts, except that the program lives in a folder of its C: drive,
// where a test can put (or leave out) the tray utility.
class ProgramOnDriveC : public platform::SystemInfo {
  public:
    static constexpr const char* kFolder = "C:\\Program Files\\Roamwise";

    explicit ProgramOnDriveC(platform::SystemInfo& machine) : machine_(machine) {}
    win32::BOOL GetVersionExA(win32::OSVERSIONINFOA* info) override {
        return machine_.GetVersionExA(info);
    }
    std::string GetWindowsDirectoryA() override { return machine_.GetWindowsDirectoryA(); }
    std::string GetSystemDirectoryA() override { return machine_.GetSystemDirectoryA(); }
    std::string programFolder() override { return kFolder; }

  private:
    platform::SystemInfo& machine_;
};

class OptionsDialogTest : public ::testing::TestWithParam<const char*> {
  protected:
    testsupport::ScriptedUserInterface& ui() { return machine_.ui(); }

    static void store(const std::string& section, const std::string& key,
                      const std::string& value) {
        SettingsStore().SaveSetting(kAppName, section, key, value);
    }
    static std::optional<std::string> stored(const std::string& section, const std::string& key) {
        return SettingsStore().FindSetting(kAppName, section, key);
    }
    static std::optional<std::string> registryValue(const std::string& key,
                                                    const std::string& name) {
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd(key);
        const std::string text = registry.ValueOf(name).text;
        if (registry.lastError() != 0) return std::nullopt;
        return text;
    }
    static std::optional<std::vector<std::string>> subkeys(const std::string& key) {
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd(key);
        if (registry.lastError() != 0) return std::nullopt;
        return registry.DirKey().value_or(std::vector<std::string>{});
    }
    // Writes the text value NAME of the key KEY below PARENT, making the keys on the way.
    static void writeRegistry(const std::string& parent, const std::string& key,
                              const std::string& name, const std::string& value) {
        clsEasyRegistry registry;
        registry.SuppressErrors(true);
        registry.Cd(parent);
        registry.MakeKey(key);
        registry.Cd(platform::concat({parent, "\\", key}));
        registry.ValueOf(name, clsEasyRegistry::STRING, value);
        ASSERT_EQ(registry.lastError(), 0) << parent << "\\" << key;
    }
    static void writeRunValue(const std::string& name, const std::string& value) {
        writeRegistry("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Run",
                      name, value);
    }
    static std::string quoted(const std::string& text) {
        return platform::concat({"\"", text, "\""});
    }

    RecordingShell& installShell() {
        platform::Services services = machine_.services();
        services.shell = &shell_;
        machine_.install(services);
        return shell_;
    }
    // Moves the program to ProgramOnDriveC::kFolder; with TRAYPRESENT its tray utility
    // is there too.
    void installProgramOnDriveC(bool trayPresent) {
        platform::Services services = machine_.services();
        programOnDriveC_.emplace(*services.system);
        services.system = &*programOnDriveC_;
        machine_.install(services);
        if (!trayPresent) return;
        const std::filesystem::path folder = platform::files().toNative(ProgramOnDriveC::kFolder);
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "RmwSysTray.exe") << "MZ";
    }
    std::string trayPathOnDriveC() const {
        return std::string(ProgramOnDriveC::kFolder) + "\\RmwSysTray.exe";
    }

    testsupport::TestMachine machine_{GetParam()};
    RecordingShell shell_;
    std::optional<ProgramOnDriveC> programOnDriveC_;
};

TEST_P(OptionsDialogTest, AFreshUserSeesTheDefaults) {
    frmOptions dialog;
    dialog.Load();

    EXPECT_EQ(dialog.Caption(), "Roamwise Options");
    EXPECT_EQ(dialog.restartChoices.selected(), &dialog.optManual);
    EXPECT_FALSE(dialog.chkAutoApply.checked());
    EXPECT_FALSE(dialog.chkShutdown.checked());
    EXPECT_FALSE(dialog.chkStartup.checked());
    EXPECT_FALSE(dialog.chkSystemTray.checked());
    EXPECT_EQ(dialog.txtMaxRecent.Text(), "3");
    EXPECT_EQ(dialog.cmdAssociate.Caption(), kAssociate);
    EXPECT_EQ(dialog.cmdAssociate.ToolTipText(),
              "Click this button to associate .RMW files with Roamwise");
    EXPECT_TRUE(dialog.cmdOK.Default());
    EXPECT_TRUE(dialog.cmdCancel.Cancel());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(OptionsDialogTest, ShowsItsControlsInOrderWithTheirTexts) {
    struct Shown {
        std::string name, caption, toolTip;
    };
    const std::vector<Shown> expected = {
        {"fraStartup", "Startup/Shutdown", ""},
        {"chkStartup", "S&tart Roamwise on Startup/Login",
         "Check this box to automatically start Roamwise on startup"},
        {"chkShutdown", "Start Roamwise on Shutdown/&Logout",
         "Check this box to automatically start Roamwise on shutdown"},
        {"fraRestart", "Default Restart Option", ""},
        {"optManual", "&Manual - restart your system at a later time.",
         "Restart your PC manually at a later time"},
        {"optReboot", "&Reboot - reboot your system immediately.", "Reboot your PC immediately"},
        {"optShutdown", "Sh&utdown - shutdown your system immediately.",
         "Shutdown your PC immediately"},
        {"optSuspend", "&Suspend - suspend your system if supported.",
         "Suspend your PC immediately if supported"},
        {"fraMiscellaneous", "Miscellaneous", ""},
        {"cmdAssociate", kAssociate, "Click this button to associate .RMW files with Roamwise"},
        {"lblMaxRecent", "Maximum &number of recent files to track (0-5)", ""},
        {"txtMaxRecent", "", "Enter the number of recent files to list in the file menu"},
        {"chkAutoApply", "&Automatically reset on apply",
         "Check this box to automatically invoke the default reset setting on apply"},
        {"chkSystemTray", "&Place Roamwise icon in system tray",
         "Check this box to display a Roamwise icon in the system tray"},
        {"cmdOK", "OK", ""},
        {"cmdCancel", "Cancel", ""},
        {"cmdHelp", "&Help", ""},
    };
    frmOptions dialog;
    ASSERT_EQ(dialog.controls().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const forms::Control& control = *dialog.controls()[i];
        EXPECT_EQ(control.Name(), expected[i].name);
        EXPECT_EQ(control.Caption(), expected[i].caption) << expected[i].name;
        EXPECT_EQ(control.ToolTipText(), expected[i].toolTip) << expected[i].name;
    }
}

TEST_P(OptionsDialogTest, TheAssociationButtonReadsTheOpenCommandInAnyLetterCase) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\PROGRA~1\\ROAMWISE\\rmw.EXE %1", kUnassociate},
        {"Z:\\opt\\roamwise\\bin\\Rmw.exe %1", kUnassociate},
        {"C:\\Roamwise\\Rmw.exe \"%1\"", kAssociate},
        {"C:\\Other\\NotRmw.exe %1", kAssociate},
        {"", kAssociate},
    };
    for (const auto& [command, caption] : cases) {
        writeRegistry("\\HKEY_CLASSES_ROOT", "rmw_auto_file\\shell\\open\\command", "", command);
        frmOptions dialog;
        dialog.Load();
        EXPECT_EQ(dialog.cmdAssociate.Caption(), caption) << command;
    }
    frmOptions dialog;
    dialog.Load();
    EXPECT_EQ(dialog.cmdAssociate.ToolTipText(),
              "Click this button to associate .RMW files with Roamwise");
}

TEST_P(OptionsDialogTest, OkStoresWhatTheDialogShowsAndTheNextDialogShowsItAgain) {
    store("Options", "TrayIconActive", "1");  // running: nothing to ask
    ui().queueDialog([](forms::Form& form) {
        auto& dialog = static_cast<frmOptions&>(form);
        dialog.optReboot.click();
        dialog.chkStartup.click();
        dialog.chkShutdown.click();
        dialog.chkAutoApply.click();
        dialog.chkSystemTray.click();
        dialog.txtMaxRecent.type("4");
        dialog.cmdOK.click();
    });
    frmOptions().ShowModal();

    const std::string folder = platform::systemInfo().programFolder();
    EXPECT_EQ(stored("Options", "Restart"), "1");
    EXPECT_EQ(stored("Options", "AutoShutdown"), "1");
    EXPECT_EQ(stored("Options", "AutoReset"), "1");
    EXPECT_EQ(stored("Recent", "MaxFile"), "4");
    // The Run key did not exist on the machine yet.
    EXPECT_EQ(registryValue(kRunKey, "Roamwise"), quoted(folder + "\\Rmw.exe"));
    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), quoted(folder + "\\RmwSysTray.exe"));
    EXPECT_TRUE(ui().messages().empty());

    frmOptions again;
    again.Load();
    EXPECT_EQ(again.restartChoices.selected(), &again.optReboot);
    EXPECT_TRUE(again.chkStartup.checked());
    EXPECT_TRUE(again.chkShutdown.checked());
    EXPECT_TRUE(again.chkAutoApply.checked());
    EXPECT_TRUE(again.chkSystemTray.checked());
    EXPECT_EQ(again.txtMaxRecent.Text(), "4");
}

TEST_P(OptionsDialogTest, TheStoredRestartChoiceIsShownAndAnUnknownOneKeptOnOk) {
    const std::vector<std::pair<std::string, forms::OptionButton frmOptions::*>> cases = {
        {"2", &frmOptions::optShutdown}, {"3", &frmOptions::optSuspend}, {"9", nullptr}};
    for (const auto& [code, button] : cases) {
        store("Options", "Restart", code);
        frmOptions dialog;
        dialog.Load();
        EXPECT_EQ(dialog.restartChoices.selected(), button ? &(dialog.*button) : nullptr) << code;
        dialog.cmdOK.click();
        EXPECT_EQ(stored("Options", "Restart"), code);
    }
}

TEST_P(OptionsDialogTest, TypingTheMaximumChecksEveryChange) {
    frmOptions dialog;
    dialog.Load();
    const std::vector<std::pair<std::string, std::string>> cases = {
        // typed, field afterwards (a message shows whenever the two differ or for "x")
        {"7", "5"},     {"-1", "5"}, {"x", "x"}, {"", ""},     {"2.5", "2.5"},
        {" 4 ", " 4 "}, {"0", "0"},  {"5", "5"}, {"+1", "+1"},
    };
    for (const auto& [typed, shown] : cases) {
        ui().clear();
        dialog.txtMaxRecent.type("1");  // a valid start, so each case is a real change
        ui().clear();
        dialog.txtMaxRecent.type(typed);
        EXPECT_EQ(dialog.txtMaxRecent.Text(), shown) << "typed \"" << typed << "\"";
        const bool complaint = typed == "7" || typed == "-1" || typed == "x";
        EXPECT_EQ(ui().messageTexts(), complaint ? Texts{kInvalidMaximum} : Texts{})
            << "typed \"" << typed << "\"";
    }
    dialog.txtMaxRecent.type("7");
    const testsupport::ShownMessage& message = ui().messages().back();
    EXPECT_EQ(message.icon, MsgBoxIcon::Information);
    EXPECT_EQ(message.buttons, MsgBoxButtons::OKOnly);
    EXPECT_EQ(message.caption, "Roamwise");
}

TEST_P(OptionsDialogTest, OkStoresTheMaximumAsAWholeNumberFromZeroToFive) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"x", "0"}, {"", "0"}, {"2.5", "2"}, {" 4 ", "4"}, {"3abc", "3"}, {"9z", "5"}, {"-2z", "0"},
    };
    for (const auto& [typed, maximum] : cases) {
        frmOptions dialog;
        dialog.Load();
        dialog.txtMaxRecent.type(typed);
        dialog.cmdOK.click();
        EXPECT_EQ(stored("Recent", "MaxFile"), maximum) << "typed \"" << typed << "\"";
    }
}

TEST_P(OptionsDialogTest, AStoredMaximumIsCheckedWhenTheDialogOpens) {
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        // stored, shown, complaint
        {"9", "5", true},      {"-2", "5", true},   {"abc", "5", true},
        {"!", "!", true},      {"", "0", false},    {"0", "0", false},
        {"2.5", "2.5", false}, {"5.0", "5", false}, {"1", "1", false},
    };
    for (const auto& [storedText, shown, complaint] : cases) {
        store("Recent", "MaxFile", storedText);
        ui().clear();
        frmOptions dialog;
        dialog.Load();
        EXPECT_EQ(dialog.txtMaxRecent.Text(), shown) << "stored \"" << storedText << "\"";
        EXPECT_EQ(ui().messageTexts(), complaint ? Texts{kInvalidMaximum} : Texts{})
            << "stored \"" << storedText << "\"";
    }
}

TEST_P(OptionsDialogTest, ATrayUtilityThatRunsAlreadyIsOnlyEnteredInTheRunKey) {
    RecordingShell& shell = installShell();
    store("Options", "TrayIconActive", "1");
    ui().queueDialog(setCheck("chkSystemTray", 1, press("cmdOK")));
    frmOptions().ShowModal();

    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"),
              quoted(platform::systemInfo().programFolder() + "\\RmwSysTray.exe"));
    EXPECT_TRUE(ui().messages().empty());
    EXPECT_TRUE(shell.started.empty());
}

TEST_P(OptionsDialogTest, AMissingTrayUtilityIsReportedAndTakenOutOfTheRunKey) {
    RecordingShell& shell = installShell();
    installProgramOnDriveC(false);
    ui().queueAnswer(MsgBoxResult::Yes);
    ui().queueDialog(setCheck("chkSystemTray", 1, press("cmdOK")));
    frmOptions().ShowModal();

    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[1].text,
              platform::concat({"Could not locate: ", trayPathOnDriveC()}));
    EXPECT_EQ(ui().messages()[1].icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(ui().messages()[1].caption, "Roamwise");
    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), std::nullopt);
    EXPECT_TRUE(shell.started.empty());
}

TEST_P(OptionsDialogTest, APresentTrayUtilityIsStartedOnlyWhenTheUserAgrees) {
    RecordingShell& shell = installShell();
    installProgramOnDriveC(true);
    ui().queueAnswer(MsgBoxResult::No);
    ui().queueDialog(setCheck("chkSystemTray", 1, press("cmdOK")));
    frmOptions().ShowModal();

    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].text, kStartTrayQuestion);
    EXPECT_EQ(ui().messages()[0].buttons, MsgBoxButtons::YesNo);
    EXPECT_EQ(ui().messages()[0].icon, MsgBoxIcon::None);
    EXPECT_EQ(ui().messages()[0].caption, "Roamwise");
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), quoted(trayPathOnDriveC()));

    ui().clear();
    ui().queueAnswer(MsgBoxResult::Yes);
    ui().queueDialog(press("cmdOK"));  // the box shows checked now
    frmOptions().ShowModal();
    EXPECT_EQ(ui().messageTexts(), Texts{kStartTrayQuestion});
    ASSERT_EQ(shell.startedPrograms(), Texts{trayPathOnDriveC()});
    EXPECT_EQ(shell.started[0].arguments, Texts{});
    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), quoted(trayPathOnDriveC()));
}

TEST_P(OptionsDialogTest, ATrayUtilityThatWillNotStartIsReportedAndKeepsItsRunEntry) {
    RecordingShell& shell = installShell();
    shell.startSucceeds = false;
    installProgramOnDriveC(true);
    ui().queueAnswer(MsgBoxResult::Yes);
    ui().queueDialog(setCheck("chkSystemTray", 1, press("cmdOK")));
    frmOptions().ShowModal();

    EXPECT_EQ(
        ui().messageTexts(),
        (Texts{kStartTrayQuestion, platform::concat({"Could not start: ", trayPathOnDriveC()})}));
    EXPECT_EQ(ui().messages().back().icon, MsgBoxIcon::Exclamation);
    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), quoted(trayPathOnDriveC()));
}

TEST_P(OptionsDialogTest, UncheckingTheTrayBoxRemovesOnlyItsRunValue) {
    RecordingShell& shell = installShell();
    writeRunValue("RmwSysTray", "\"C:\\Roamwise\\RmwSysTray.exe\"");
    writeRunValue("Roamwise", "\"C:\\Roamwise\\Rmw.exe\"");
    writeRunValue("Scanner", "C:\\Scanner\\scan.exe");
    store("Options", "TrayIconActive", "1");
    ui().queueDialog(setCheck("chkSystemTray", 0, press("cmdOK")));
    frmOptions().ShowModal();

    EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), std::nullopt);
    EXPECT_TRUE(registryValue(kRunKey, "Roamwise").has_value());
    EXPECT_EQ(registryValue(kRunKey, "Scanner"), "C:\\Scanner\\scan.exe");
    EXPECT_TRUE(shell.started.empty());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(OptionsDialogTest, UncheckingStartupRemovesTheMainProgramsRunValue) {
    writeRunValue("Roamwise", "\"C:\\Roamwise\\Rmw.exe\"");
    ui().queueDialog(setCheck("chkStartup", 0, press("cmdOK")));
    frmOptions().ShowModal();
    EXPECT_EQ(registryValue(kRunKey, "Roamwise"), std::nullopt);
}

TEST_P(OptionsDialogTest, AssociatingTwiceLeavesOneConsistentSetAndUnassociatingRemovesIt) {
    writeRegistry("\\HKEY_CLASSES_ROOT", ".rmw\\ShellNew", "NullFile", "");
    writeRegistry("\\HKEY_CLASSES_ROOT", "rmw_auto_file\\shell\\edit", "", "notepad.exe %1");
    const std::string command = platform::systemInfo().programFolder() + "\\Rmw.exe %1";

    frmOptions dialog;
    dialog.Load();
    ASSERT_EQ(dialog.cmdAssociate.Caption(), kAssociate);
    dialog.cmdAssociate.click();
    EXPECT_EQ(dialog.cmdAssociate.Caption(), kUnassociate);
    EXPECT_EQ(dialog.cmdAssociate.ToolTipText(), "Click this button to remove the association");

    // Associating again from a second dialog rebuilds the same keys.
    frmOptions second;
    second.Load();
    ASSERT_EQ(second.cmdAssociate.Caption(), kUnassociate);
    second.cmdAssociate.Caption(kAssociate);
    second.cmdAssociate.click();

    EXPECT_EQ(registryValue("\\HKEY_CLASSES_ROOT\\.rmw", ""), "rmw_auto_file");
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\.rmw"), Texts{});
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\rmw_auto_file"), Texts{"shell"});
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell"), Texts{"open"});
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell\\open"), Texts{"command"});
    EXPECT_EQ(registryValue("\\HKEY_CLASSES_ROOT\\rmw_auto_file\\shell\\open", ""), "");
    EXPECT_EQ(registryValue(kCommandKey, ""), command);

    // Removing takes the whole file type, on NT as well, where a key with subkeys
    // cannot be deleted in one go.
    second.cmdAssociate.click();
    EXPECT_EQ(second.cmdAssociate.Caption(), kAssociate);
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\.rmw"), std::nullopt);
    EXPECT_EQ(subkeys("\\HKEY_CLASSES_ROOT\\rmw_auto_file"), std::nullopt);
    frmOptions third;
    third.Load();
    EXPECT_EQ(third.cmdAssociate.Caption(), kAssociate);
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(OptionsDialogTest, CancelOrTheFrameStoreNothingButTheAssociationStays) {
    for (const char* leave : {"cmdCancel", "frame"}) {
        ui().queueDialog([leave](forms::Form& form) {
            auto& dialog = static_cast<frmOptions&>(form);
            dialog.optSuspend.click();
            dialog.chkStartup.click();
            dialog.chkShutdown.click();
            dialog.chkAutoApply.click();
            dialog.chkSystemTray.click();
            dialog.txtMaxRecent.type("1");
            if (dialog.cmdAssociate.Caption() == kAssociate) dialog.cmdAssociate.click();
            if (std::string(leave) == "cmdCancel") dialog.cmdCancel.click();
        });
        frmOptions dialog;
        dialog.ShowModal();
        EXPECT_FALSE(dialog.loaded()) << leave;

        for (const char* key : {"Restart", "AutoShutdown", "AutoReset"})
            EXPECT_EQ(stored("Options", key), std::nullopt) << leave << " " << key;
        EXPECT_EQ(stored("Recent", "MaxFile"), std::nullopt) << leave;
        EXPECT_EQ(registryValue(kRunKey, "Roamwise"), std::nullopt) << leave;
        EXPECT_EQ(registryValue(kRunKey, "RmwSysTray"), std::nullopt) << leave;
        EXPECT_EQ(registryValue("\\HKEY_CLASSES_ROOT\\.rmw", ""), "rmw_auto_file") << leave;
    }
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(OptionsDialogTest, HelpOpensTheHelpIndex) {
    RecordingShell& shell = installShell();
    ui().queueDialog(press("cmdHelp"));
    frmOptions().ShowModal();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, platform::systemInfo().programFolder() + "\\help\\index.html");
    EXPECT_EQ(shell.opened[0].directory, "c:\\");
    EXPECT_EQ(stored("Options", "Restart"), std::nullopt);  // closed by its frame
}

INSTANTIATE_TEST_SUITE_P(BothPlatforms, OptionsDialogTest, ::testing::Values("win98", "nt4"));

TEST(NumericTextTest, ATextIsANumberOnlyAsAWhole) {
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"3", 3},
        {" 2.5 ", 2.5},
        {"-1", -1},
        {"+4", 4},
        {".5", 0.5},
        {"5.", 5},
        {"\t1\t", 1},
        {"x", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1.2.3", std::nullopt},
        {"3a", std::nullopt},
        {"1 2", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numericText::valueOf(text), value) << "\"" << text << "\"";
    // A number far too long for a double is no small number.
    EXPECT_GT(*numericText::valueOf(std::string(400, '9')), 5);
    EXPECT_EQ(numericText::valueOf(platform::concat({"0.", std::string(400, '0'), "1"})), 0);
}

TEST(NumericTextTest, TheLeadingNumberIsWhatTheTextStartsWith) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"7x", 7}, {"x", 0}, {"", 0}, {" 2.5abc", 2.5}, {"-3,", -3}, {"1.2.3", 1.2}, {"-", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numericText::leadingValue(text), value) << "\"" << text << "\"";
}

}  // namespace
