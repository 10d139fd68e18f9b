#include "app/logic/main/AdvancedTab.h"

#include "config/RmwConfig.h"
#include "platform/Services.h"
#include "platform/UserInterface.h"
#include "settings/SettingsStore.h"

AdvancedTab::AdvancedTab(forms::Form& window, TabHost& host)
    : fraAdvanced(window, "fraAdvanced"),
      fraComments(window, "fraComments"),
      chkAutoApply(window, "chkAutoApply"),
      chkAutoReboot(window, "chkAutoReboot"),
      txtComments(window, "txtComments"),
      host_(host) {
    fraAdvanced.Caption("Advanced");
    fraComments.Caption("Comments");
    chkAutoApply.Caption("Automatically a&pply changes when loaded");
    chkAutoApply.ToolTipText(
        "Check this option to automatically apply this configuration when loaded");
    chkAutoReboot.Caption("Automatically &reset when changes are applied");
    chkAutoReboot.ToolTipText(
        "Check this box to automatically invoke the default reset setting on apply");
    txtComments.MultiLine(true);
    txtComments.ToolTipText("Enter any comments you would like to store with this profile");

    chkAutoApply.onClick([this] { chkAutoApply_click(); });
    chkAutoReboot.onClick([this] { chkAutoReboot_click(); });
    txtComments.onChange([this] { txtComments_change(); });
}

void AdvancedTab::attach(RmwConfig* document) {
    document_ = document;
}

void AdvancedTab::initializeMiscControls() {
    if (document_ == nullptr) return;
    // The reset switch put into the box comes from the document, not from the user, so
    // it is taken over without the question a user's tick gets (a new document never has
    // it set; an opened file may).
    filling_ = true;
    txtComments.Text(document_->Comments());
    chkAutoApply.Value(forms::checkValue(document_->AutoApply()));
    chkAutoReboot.Value(forms::checkValue(document_->AutoReboot()));
    filling_ = false;
}

std::vector<Binding> AdvancedTab::bindings() const {
    return {
        {&chkAutoApply, "AutoApply", kUnsavedChange},
        {&chkAutoReboot, "AutoReboot", kUnsavedChange},
        {&txtComments, "Comments", kUnsavedChange},
    };
}

void AdvancedTab::chkAutoApply_click() {
    host_.updateStatus(kUnsavedChange);
    if (document_ != nullptr) document_->AutoApply(chkAutoApply.checked());
}

void AdvancedTab::chkAutoReboot_click() {
    if (filling_ || host_.loadingFile()) {
        writeAutoReboot(chkAutoReboot.checked());
        return;
    }
    // Clearing the switch is never questioned (this includes the box being cleared
    // below after the user declined).
    if (!chkAutoReboot.checked()) {
        writeAutoReboot(false);
        return;
    }
    const platform::MsgBoxResult answer = platform::ui().messageBox(
        "Are you sure you want to set the AutoReboot option?", platform::MsgBoxButtons::YesNo,
        platform::MsgBoxIcon::None, kAppTitle);
    if (answer == platform::MsgBoxResult::Yes) {
        host_.updateStatus(kUnsavedChange);
        writeAutoReboot(true);
    } else {
        writeAutoReboot(false);
        chkAutoReboot.Value(forms::CheckBox::Unchecked);
    }
}

void AdvancedTab::writeAutoReboot(bool on) {
    if (document_ != nullptr) document_->AutoReboot(on);
}

void AdvancedTab::txtComments_change() {
    host_.updateStatus(kUnsavedChange);
    if (document_ != nullptr) document_->Comments(txtComments.Text());
}
