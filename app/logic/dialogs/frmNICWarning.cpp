#include "app/logic/dialogs/frmNICWarning.h"

#include "settings/Options.h"

frmNICWarning::frmNICWarning() : Form("frmNICWarning", "Warning...") {
    lblMessage.Caption(
        "Changing the Network Adapter after loading a configuration file will refresh some or "
        "all of the following properties for the currently selected adapter:");
    lblIPAddress.Caption("- IP Address");
    lblIPMask.Caption("- IP Mask");
    lblGateway.Caption("- Default Gateway");
    lblWINSServer1.Caption("- WINS Server 1");
    lblWINSServer2.Caption("- WINS Server 2");
    lblDHCPEnabled.Caption("- DHCP Enabled");
    chkWarning.Caption("&Do not show this warning again");
    chkWarning.ToolTipText("Check this box if you don't want to see this warning again");
    cmdOK.Caption("OK");
    cmdOK.ToolTipText("Close this dialog");
    cmdOK.Default(true);
    cmdOK.onClick([this] { cmdOK_Click(); });
}

void frmNICWarning::Form_Load() {
    chkWarning.Value(forms::CheckBox::Unchecked);
}

void frmNICWarning::cmdOK_Click() {
    storeOption("NICWarning", chkWarning.checked() ? "0" : "1");
    Unload();
}
