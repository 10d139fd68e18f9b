#pragma once
// What the settings tabs do alike with their controls: a text field shows by its
// background whether it takes input, the proxy fields of both browsers carry the same
// tool tips, and a browser field's change is reported and written to its property.

#include <string>

#include "app/logic/main/TabHost.h"
#include "platform/forms/Control.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class browserConfig;

namespace tabfields {

// Enables or disables FIELD and gives it the matching background.
void enableField(forms::TextBox& field, bool enabled);

void describe(forms::Control& control, const std::string& caption, const std::string& toolTip);

// The label and the two tool tips of one protocol's proxy address and port, e.g.
// "Enter the address of your HTTP proxy server".
void describeProxyFields(forms::Label& label, forms::TextBox& address, forms::TextBox& port,
                         const std::string& caption, const std::string& protocol);

// Reports an unsaved change to HOST, then writes FIELD's text through SETTER of BROWSER
// (when there is one).
void writeBrowserText(TabHost& host, browserConfig* browser, const forms::TextBox& field,
                      void (browserConfig::*setter)(const std::string&));

}  // namespace tabfields
