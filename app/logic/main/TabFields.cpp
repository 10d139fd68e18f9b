#include "app/logic/main/TabFields.h"

#include "browser/browserConfig.h"

namespace tabfields {

void enableField(forms::TextBox& field, bool enabled) {
    field.Enabled(enabled);
    field.BackColor(enabled ? forms::SystemColor::Window : forms::SystemColor::ButtonFace);
}

void describe(forms::Control& control, const std::string& caption, const std::string& toolTip) {
    control.Caption(caption);
    control.ToolTipText(toolTip);
}

void describeProxyFields(forms::Label& label, forms::TextBox& address, forms::TextBox& port,
                         const std::string& caption, const std::string& protocol) {
    label.Caption(caption);
    address.ToolTipText("Enter the address of your " + protocol + " proxy server");
    port.ToolTipText("Enter the port # of your " + protocol + " proxy server");
}

void writeBrowserText(TabHost& host, browserConfig* browser, const forms::TextBox& field,
                      void (browserConfig::*setter)(const std::string&)) {
    host.updateStatus(kUnsavedChange);
    if (browser != nullptr) (browser->*setter)(field.Text());
}

}  // namespace tabfields
