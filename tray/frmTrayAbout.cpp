#include "tray/frmTrayAbout.h"

#include "settings/SettingsStore.h"
#include "tray/TrayVersion.h"

frmTrayAbout::frmTrayAbout() : Form("frmAbout", "About Roamwise") {
    lblTitle.Caption(kAppTitle);
    lblVersion.Caption("Version " + trayversion::versionText());
    cmdOK.Caption("OK");
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.onClick([this] { cmdOK_Click(); });
}

void frmTrayAbout::cmdOK_Click() {
    Unload();
}
