#include "app/logic/dialogs/frmAbout.h"

#include "app/logic/main/AppVersion.h"
#include "settings/SettingsStore.h"

frmAbout::frmAbout() : Form("frmAbout", "About Roamwise") {
    lblTitle.Caption(kAppTitle);
    lblVersion.Caption("Version " + appversion::versionText());
    cmdOK.Caption("OK");
    // Enter and Escape both close the box.
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.onClick([this] { cmdOK_Click(); });
}

void frmAbout::cmdOK_Click() {
    Unload();
}
