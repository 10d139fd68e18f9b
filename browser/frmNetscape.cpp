#include "browser/frmNetscape.h"

#include "platform/Services.h"
#include "settings/Options.h"

frmNetscape::frmNetscape() : Form("frmNetscape", "Warning...") {
    lblMessage.Caption(
        "Your Netscape Navigator preference file could not be located. Check your default "
        "user profile.");
    chkWarning.Caption("&Do not display this warning again");
    chkWarning.ToolTipText("Check this box if you don't want to see this warning again");
    cmdOK.Caption("OK");
    cmdOK.ToolTipText("Close this dialog");
    cmdOK.Default(true);
    cmdOK.onClick([this] { cmdOK_Click(); });
}

void frmNetscape::Form_Load() {
    platform::UserInterface& ui = platform::ui();
    savedPointer_ = ui.mousePointer();
    ui.mousePointer(platform::MousePointer::Default);
}

void frmNetscape::Form_Unload() { platform::ui().mousePointer(savedPointer_); }

void frmNetscape::cmdOK_Click() {
    storeOption("NavigatorWarning", chkWarning.checked() ? "1" : "0");
    Unload();
}
