// The restart dialog: what OK carries out and stores for each pick, the dialog showing
// the stored default, closing it by its frame, and its help button.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/logic/RestartChoice.h"
#include "app/logic/dialogs/frmRestart.h"
#include "app/logic/restartSystem.h"
#include "settings/SettingsStore.h"
#include "tests/support/RecordingShell.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::MsgBoxIcon;
using testsupport::press;
using testsupport::selectOption;
using testsupport::setCheck;
using Requests = std::vector<std::string>;

const char* const kShutdownRequest = "ExitWindowsEx EWX_SHUTDOWN reserved=0";
const char* const kRebootRequest = "ExitWindowsEx EWX_REBOOT reserved=0";
const char* const kSuspendRequest = "SetSystemPowerState suspend=TRUE force=FALSE";

class RestartDialogTest : public ::testing::TestWithParam<const char*> {
  protected:
    static std::optional<std::string> storedChoice() {
        return SettingsStore().FindSetting(kAppName, "Options", "Restart");
    }
    testsupport::ScriptedUserInterface& ui() { return machine_.ui(); }

    testsupport::TestMachine machine_{GetParam()};
};

// The names of the selected option buttons, in the dialog's order.
std::vector<std::string> selectedOptions(const frmRestart& dialog) {
    std::vector<std::string> names;
    for (const forms::OptionButton* option :
         {&dialog.optReboot, &dialog.optSuspend, &dialog.optShutdown, &dialog.optManual}) {
        if (option->Value()) names.push_back(option->Name());
    }
    return names;
}

TEST_P(RestartDialogTest, ShowsTheFourChoicesInOrderWithTheirTexts) {
    frmRestart dialog;
    EXPECT_EQ(dialog.Caption(), "Roamwise Restart");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Frame1", "Restart Options"},
        {"optReboot", "&Reboot - reboot your system now."},
        {"optSuspend", "&Suspend - suspend your system now if supported."},
        {"optShutdown", "Sh&utdown - shutdown your system immediately."},
        {"optManual", "&Manual - restart your system at a later time."},
        {"chkDefault", "Make &Default"},
        {"cmdHelp", "&Help"},
        {"cmdOK", "OK"},
    };
    ASSERT_EQ(dialog.controls().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dialog.controls()[i]->Name(), expected[i].first);
        EXPECT_EQ(dialog.controls()[i]->Caption(), expected[i].second);
    }
    EXPECT_EQ(dialog.optSuspend.ToolTipText(), "Suspend your PC immediately if supported");
    EXPECT_EQ(dialog.chkDefault.ToolTipText(), "Make the selected choice the default");
    EXPECT_EQ(dialog.cmdOK.ToolTipText(), "Invoke the selected choice");
}

TEST_P(RestartDialogTest, OpensWithTheStoredChoiceSelectedAndTheDefaultBoxClear) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"0", {"optManual"}},
        {"1", {"optReboot"}},
        {"2", {"optShutdown"}},
        {"3", {"optSuspend"}},
        {"7", {}},
        {"", {}},
    };
    for (const auto& [code, selected] : cases) {
        RestartChoice::store(code);
        frmRestart dialog;
        dialog.Load();
        EXPECT_EQ(selectedOptions(dialog), selected) << "stored \"" << code << "\"";
        EXPECT_FALSE(dialog.chkDefault.checked());
    }
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(RestartDialogTest, AMadeDefaultShutdownIsStoredCarriedOutAndOfferedNextTime) {
    frmRestart dialog;
    ui().queueDialog(selectOption("optShutdown", setCheck("chkDefault", 1, press("cmdOK"))));
    dialog.ShowModal();

    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(storedChoice(), "2");
    EXPECT_EQ(machine_.powerRequests(), Requests{kShutdownRequest});
    EXPECT_TRUE(ui().messages().empty());

    // The same dialog shown again starts from the new default, the box cleared.
    std::vector<std::string> offered;
    bool defaultTicked = true;
    ui().queueDialog([&](forms::Form&) {
        offered = selectedOptions(dialog);
        defaultTicked = dialog.chkDefault.checked();
    });
    dialog.ShowModal();
    EXPECT_EQ(offered, std::vector<std::string>{"optShutdown"});
    EXPECT_FALSE(defaultTicked);
    // The frame carried out nothing.
    EXPECT_EQ(machine_.powerRequests(), Requests{kShutdownRequest});
}

TEST_P(RestartDialogTest, WithoutTheDefaultBoxTheChoiceIsCarriedOutAndNothingStored) {
    RestartChoice::store(RestartChoice::kShutdown);
    ui().queueDialog(selectOption("optReboot", press("cmdOK")));
    ui().queueDialog(selectOption("optSuspend", press("cmdOK")));
    frmRestart().ShowModal();
    frmRestart().ShowModal();

    EXPECT_EQ(machine_.powerRequests(), (Requests{kRebootRequest, kSuspendRequest}));
    EXPECT_EQ(storedChoice(), "2");
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(RestartDialogTest, AManualDefaultIsStoredAndTheUserToldToRestartLater) {
    RestartChoice::store(RestartChoice::kSuspend);
    ui().queueDialog(selectOption("optManual", setCheck("chkDefault", 1, press("cmdOK"))));
    frmRestart().ShowModal();

    EXPECT_EQ(storedChoice(), "0");
    EXPECT_TRUE(machine_.powerRequests().empty());
    ASSERT_EQ(ui().messages().size(), 1u);
    const testsupport::ShownMessage& message = ui().messages()[0];
    EXPECT_EQ(message.text, kManualRestartMessage);
    EXPECT_EQ(message.buttons, platform::MsgBoxButtons::OKOnly);
    EXPECT_EQ(message.icon, MsgBoxIcon::Information);
    EXPECT_EQ(message.caption, "Roamwise");
}

TEST_P(RestartDialogTest, AnUnknownStoredChoiceSelectsNothingAndOkLeavesTheRestartToTheUser) {
    RestartChoice::store("7");
    ui().queueDialog(setCheck("chkDefault", 1, press("cmdOK")));
    frmRestart().ShowModal();

    EXPECT_EQ(ui().messageTexts(), std::vector<std::string>{kManualRestartMessage});
    EXPECT_TRUE(machine_.powerRequests().empty());
    EXPECT_EQ(storedChoice(), "7");  // with nothing selected there is nothing to store
}

TEST_P(RestartDialogTest, ClosingByTheFrameCarriesOutAndStoresNothing) {
    RestartChoice::store(RestartChoice::kReboot);
    frmRestart dialog;
    ui().queueDialog(selectOption("optShutdown", setCheck("chkDefault", 1)));
    dialog.ShowModal();

    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(ui().timesShown("frmRestart"), 1);
    EXPECT_EQ(storedChoice(), "1");
    EXPECT_TRUE(machine_.powerRequests().empty());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_P(RestartDialogTest, HelpOpensTheHelpIndexAndLeavesTheDialogOpen) {
    testsupport::RecordingShell shell;
    platform::Services services = machine_.services();
    services.shell = &shell;
    machine_.install(services);

    frmRestart dialog;
    bool openAfterHelp = false;
    ui().queueDialog([&](forms::Form& form) {
        press("cmdHelp")(form);
        openAfterHelp = dialog.loaded();
    });
    dialog.ShowModal();

    EXPECT_TRUE(openAfterHelp);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].operation, "");
    EXPECT_EQ(shell.opened[0].file, platform::systemInfo().programFolder() + "\\help\\index.html");
    EXPECT_EQ(shell.opened[0].parameters, "");
    EXPECT_EQ(shell.opened[0].directory, "c:\\");
    EXPECT_TRUE(machine_.powerRequests().empty());
}

INSTANTIATE_TEST_SUITE_P(BothPlatforms, RestartDialogTest, ::testing::Values("win98", "nt4"));

}  // namespace
