#include "browser/frmNetscape.h"

#include "platform/Services.h"
#include "settings/SettingsStore.h"

void frmNetscape::Show() {
    platform::UserInterface& ui = platform::ui();
    const platform::MousePointer saved = ui.mousePointer();
    ui.mousePointer(platform::MousePointer::Default);
    const platform::NavigatorWarningOutcome outcome = ui.showNavigatorWarning();
    if (outcome == platform::NavigatorWarningOutcome::OkTicked) cmdOK_Click(true);
    if (outcome == platform::NavigatorWarningOutcome::OkUnticked) cmdOK_Click(false);
    ui.mousePointer(saved);
}

void frmNetscape::cmdOK_Click(bool bTicked) {
    SettingsStore().SaveSetting(kAppName, "Options", "NavigatorWarning", bTicked ? "1" : "0");
}
