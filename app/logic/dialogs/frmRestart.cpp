#include "app/logic/dialogs/frmRestart.h"

#include <string>

#include "app/logic/RestartChoice.h"
#include "app/logic/dialogs/helpIndex.h"
#include "app/logic/restartSystem.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

frmRestart::frmRestart() : Form("frmRestart", "Roamwise Restart") {
    Frame1.Caption("Restart Options");
    optReboot.Caption("&Reboot - reboot your system now.");
    optReboot.ToolTipText("Reboot your PC immediately");
    optSuspend.Caption("&Suspend - suspend your system now if supported.");
    optSuspend.ToolTipText("Suspend your PC immediately if supported");
    optShutdown.Caption("Sh&utdown - shutdown your system immediately.");
    optShutdown.ToolTipText("Shutdown your PC immediately");
    optManual.Caption("&Manual - restart your system at a later time.");
    optManual.ToolTipText("Restart your PC manually at a later time");
    chkDefault.Caption("Make &Default");
    chkDefault.ToolTipText("Make the selected choice the default");
    cmdHelp.Caption("&Help");
    cmdHelp.ToolTipText("View help");
    cmdOK.Caption("OK");
    cmdOK.ToolTipText("Invoke the selected choice");
    cmdOK.Default(true);

    cmdOK.onClick([this] { cmdOK_Click(); });
    cmdHelp.onClick([this] { cmdHelp_Click(); });
}

void frmRestart::Form_Load() {
    loadOptions();
}

void frmRestart::loadOptions() {
    options_.show(RestartChoice::stored());
    chkDefault.Value(forms::CheckBox::Unchecked);
}

void frmRestart::setOptions() {
    if (!chkDefault.checked()) return;
    if (const auto choice = options_.selected()) RestartChoice::store(*choice);
}

void frmRestart::cmdOK_Click() {
    setOptions();
    std::string choice = options_.selected().value_or(RestartChoice::kManual);
    if (choice == RestartChoice::kManual) {
        platform::ui().messageBox(kManualRestartMessage, platform::MsgBoxButtons::OKOnly,
                                  platform::MsgBoxIcon::Information, kAppTitle);
    } else {
        restartSystem(choice);
    }
    Unload();
}

void frmRestart::cmdHelp_Click() {
    openHelpIndex();
}
