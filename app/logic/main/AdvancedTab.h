#pragma once
// Tab 3 "Advanced" of the main window, bound to the configuration document: whether the
// file applies itself when loaded, whether applying restarts without asking (confirmed
// by the user), and the comment.

#include <vector>

#include "app/logic/main/Binding.h"
#include "app/logic/main/TabHost.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class RmwConfig;

class AdvancedTab {
  public:
    AdvancedTab(forms::Form& window, TabHost& host);
    AdvancedTab(const AdvancedTab&) = delete;
    AdvancedTab& operator=(const AdvancedTab&) = delete;

    // The document the controls write to from now on.
    void attach(RmwConfig* document);
    void initializeMiscControls();
    std::vector<Binding> bindings() const;

    forms::Frame fraAdvanced;  // "Advanced"
    forms::Frame fraComments;  // "Comments"
    forms::CheckBox chkAutoApply;
    forms::CheckBox chkAutoReboot;
    forms::TextBox txtComments;

    void chkAutoApply_click();
    void chkAutoReboot_click();
    void txtComments_change();

  private:
    void writeAutoReboot(bool on);

    TabHost& host_;
    RmwConfig* document_ = nullptr;
    // True while initializeMiscControls puts the document's values into the controls.
    bool filling_ = false;
};
