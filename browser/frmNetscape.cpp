#include "browser/frmNetscape.h"

#include "platform/Services.h"
#include "settings/SettingsStore.h"

void frmNetscape::Show() {
    platform::UserInterface& ui = platform::ui();
    const platform::MousePointer saved = ui.mousePointer();
    ui.mousePointer(platform::MousePointer::Default);
    const platform::NavigatorWarningOutcome outcome = ui.showNavigatorWarning();
    chkWarning_ = outcome == platform::NavigatorWarningOutcome::OkTicked;
    if (outcome != platform::NavigatorWarningOutcome::ClosedOtherwise) cmdOK_Click();
    ui.mousePointer(saved);
}

void frmNetscape::cmdOK_Click() {
    SettingsStore().SaveSetting(kAppName, "Options", "NavigatorWarning", chkWarning_ ? "1" : "0");
}
