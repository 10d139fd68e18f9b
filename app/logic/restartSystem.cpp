#include "app/logic/restartSystem.h"

#include <exception>

#include "app/logic/RestartChoice.h"
#include "platform/Win32.h"
#include "settings/SettingsStore.h"

namespace {

void performChoice(const std::string& code) {
    if (code == RestartChoice::kReboot) {
        win32::ExitWindowsEx(win32::EWX_REBOOT, 0);
    } else if (code == RestartChoice::kShutdown) {
        win32::ExitWindowsEx(win32::EWX_SHUTDOWN, 0);
    } else if (code == RestartChoice::kSuspend) {
        win32::SetSystemPowerState(1, 0);
    }
}

}  // namespace

void restartSystem(std::string& sChoice) {
    try {
        if (sChoice.empty()) sChoice = RestartChoice::stored();
        performChoice(sChoice);
    } catch (const std::exception&) {
        platform::ui().messageBox("Error occurred while attempting to reset PC",
                                  platform::MsgBoxButtons::OKOnly,
                                  platform::MsgBoxIcon::Exclamation, kAppTitle);
    }
}

void restartAutomatically() {
    std::string choice;
    restartSystem(choice);
    if (choice == RestartChoice::kManual) {
        platform::ui().messageBox(kManualRestartMessage, platform::MsgBoxButtons::OKOnly,
                                  platform::MsgBoxIcon::Information, kAppTitle);
    }
}
