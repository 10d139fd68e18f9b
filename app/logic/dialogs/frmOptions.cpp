#include "app/logic/dialogs/frmOptions.h"

#include <algorithm>
#include <string>

#include "app/logic/RestartChoice.h"
#include "app/logic/dialogs/NumericText.h"
#include "app/logic/dialogs/helpIndex.h"
#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "settings/Options.h"
#include "settings/SettingsStore.h"

namespace {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

constexpr const char* kAssociateCaption = "Associate .RMW &files with Roamwise";
constexpr const char* kAssociateToolTip = "Click this button to associate .RMW files with Roamwise";
constexpr const char* kUnassociateCaption = "Un-Associate .RMW &files with Roamwise";
constexpr const char* kUnassociateToolTip = "Click this button to remove the association";

// The recent-file list keeps this many files when "MaxFile" is missing.
constexpr const char* kDefaultMaxRecent = "3";
constexpr double kLargestMaxRecent = 5;

// A switch as the "Options" section keeps it.
const char* switchText(bool on) {
    return on ? "1" : "0";
}

std::string programFolder() {
    return platform::systemInfo().programFolder();
}

std::string inProgramFolder(const char* fileName) {
    return platform::concat({programFolder(), "\\", fileName});
}

}  // namespace

frmOptions::frmOptions() : Form("frmOptions", "Roamwise Options") {
    registry_.SuppressErrors(true);

    fraStartup.Caption("Startup/Shutdown");
    chkStartup.Caption("S&tart Roamwise on Startup/Login");
    chkStartup.ToolTipText("Check this box to automatically start Roamwise on startup");
    chkShutdown.Caption("Start Roamwise on Shutdown/&Logout");
    chkShutdown.ToolTipText("Check this box to automatically start Roamwise on shutdown");

    fraRestart.Caption("Default Restart Option");
    optManual.Caption("&Manual - restart your system at a later time.");
    optManual.ToolTipText("Restart your PC manually at a later time");
    optReboot.Caption("&Reboot - reboot your system immediately.");
    optReboot.ToolTipText("Reboot your PC immediately");
    optShutdown.Caption("Sh&utdown - shutdown your system immediately.");
    optShutdown.ToolTipText("Shutdown your PC immediately");
    optSuspend.Caption("&Suspend - suspend your system if supported.");
    optSuspend.ToolTipText("Suspend your PC immediately if supported");

    fraMiscellaneous.Caption("Miscellaneous");
    showAssociation(false);
    lblMaxRecent.Caption("Maximum &number of recent files to track (0-5)");
    txtMaxRecent.ToolTipText("Enter the number of recent files to list in the file menu");
    chkAutoApply.Caption("&Automatically reset on apply");
    chkAutoApply.ToolTipText(
        "Check this box to automatically invoke the default reset setting on apply");
    chkSystemTray.Caption("&Place Roamwise icon in system tray");
    chkSystemTray.ToolTipText("Check this box to display a Roamwise icon in the system tray");

    cmdOK.Caption("OK");
    cmdOK.Default(true);
    cmdCancel.Caption("Cancel");
    cmdCancel.Cancel(true);
    cmdHelp.Caption("&Help");

    cmdOK.onClick([this] { cmdOK_Click(); });
    cmdCancel.onClick([this] { cmdCancel_Click(); });
    cmdHelp.onClick([this] { cmdHelp_Click(); });
    cmdAssociate.onClick([this] { cmdAssociate_Click(); });
    txtMaxRecent.onChange([this] { txtMaxRecent_Change(); });
}

void frmOptions::Form_Load() {
    loadOptions();
}

void frmOptions::loadOptions() {
    restartOptions_.show(RestartChoice::stored());
    chkAutoApply.Value(forms::checkValue(readOption("AutoReset", "0") == "1"));
    chkSystemTray.Value(forms::checkValue(startupEntries_.has(StartupEntries::kTrayUtility)));
    chkStartup.Value(forms::checkValue(startupEntries_.has(StartupEntries::kMainProgram)));
    chkShutdown.Value(forms::checkValue(readOption("AutoShutdown", "0") == "1"));
    loadMaxRecent();
    showAssociation(association_.isRegistered());
}

// Setting the text runs the field's validation, so a stored maximum out of range is
// reported and shown as 5. What is left is then brought into the field's range by plain
// text comparison: a text that sorts after "5" (such as "5.0" or a word) shows as "5".
void frmOptions::loadMaxRecent() {
    txtMaxRecent.Text(SettingsStore().GetSetting(kAppName, "Recent", "MaxFile", kDefaultMaxRecent));
    const std::string text = txtMaxRecent.Text();
    if (text.empty()) {
        txtMaxRecent.Text("0");
    } else if (text > "5") {
        txtMaxRecent.Text("5");
    }
}

void frmOptions::setOptions() {
    if (const auto choice = restartOptions_.selected()) RestartChoice::store(*choice);
    setTrayUtility();
    if (chkStartup.checked()) {
        startupEntries_.add(StartupEntries::kMainProgram, inProgramFolder("Rmw.exe"));
    } else {
        startupEntries_.remove(StartupEntries::kMainProgram);
    }
    storeOption("AutoShutdown", switchText(chkShutdown.checked()));
    storeOption("AutoReset", switchText(chkAutoApply.checked()));
    // The list reads the maximum as a whole number from 0 to 5; a fraction or a text
    // beginning with a larger number is stored as the maximum it stands for.
    const double maximum =
        std::clamp(numericText::leadingValue(txtMaxRecent.Text()), 0.0, kLargestMaxRecent);
    SettingsStore().SaveSetting(kAppName, "Recent", "MaxFile",
                                std::to_string(static_cast<int>(maximum)));
}

void frmOptions::setTrayUtility() {
    if (!chkSystemTray.checked()) {
        startupEntries_.remove(StartupEntries::kTrayUtility);
        return;
    }
    const std::string trayPath = inProgramFolder("RmwSysTray.exe");
    startupEntries_.add(StartupEntries::kTrayUtility, trayPath);
    if (readOption("TrayIconActive", "0") == "1") return;  // it runs already
    const MsgBoxResult answer =
        platform::ui().messageBox("Would you like to start the system tray utility now?",
                                  MsgBoxButtons::YesNo, MsgBoxIcon::None, kAppTitle);
    if (answer == MsgBoxResult::Yes) startTrayUtility(trayPath);
}

void frmOptions::startTrayUtility(const std::string& trayPath) {
    if (!platform::files().fileExists(trayPath)) {
        platform::ui().messageBox(platform::concat({"Could not locate: ", trayPath}),
                                  MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation, kAppTitle);
        // Windows would fail to start it at every logon too.
        startupEntries_.remove(StartupEntries::kTrayUtility);
        return;
    }
    if (!platform::shell().startProgram(trayPath, {})) {
        platform::ui().messageBox(platform::concat({"Could not start: ", trayPath}),
                                  MsgBoxButtons::OKOnly, MsgBoxIcon::Exclamation, kAppTitle);
    }
}

void frmOptions::cmdOK_Click() {
    setOptions();
    Unload();
}

void frmOptions::cmdCancel_Click() {
    Unload();
}

void frmOptions::cmdHelp_Click() {
    openHelpIndex();
}

// The button shows what the registry holds afterwards, so a change the registry refused
// does not pass for done.
void frmOptions::cmdAssociate_Click() {
    if (cmdAssociate.Caption().rfind("Un-", 0) == 0) {
        association_.remove();
    } else {
        association_.create(programFolder());
    }
    showAssociation(association_.isRegistered());
}

// Runs on every change of the field; an empty field is left for the user to fill.
void frmOptions::txtMaxRecent_Change() {
    const std::string text = txtMaxRecent.Text();
    if (text.empty()) return;
    const std::optional<double> value = numericText::valueOf(text);
    if (!value) {
        showInvalidMaximum();
    } else if (*value < 0 || *value > kLargestMaxRecent) {
        showInvalidMaximum();
        txtMaxRecent.Text("5");
    }
}

void frmOptions::showAssociation(bool associated) {
    cmdAssociate.Caption(associated ? kUnassociateCaption : kAssociateCaption);
    cmdAssociate.ToolTipText(associated ? kUnassociateToolTip : kAssociateToolTip);
}

void frmOptions::showInvalidMaximum() {
    platform::ui().messageBox("Please enter a numeric value from 0 to 5.", MsgBoxButtons::OKOnly,
                              MsgBoxIcon::Information, kAppTitle);
}
