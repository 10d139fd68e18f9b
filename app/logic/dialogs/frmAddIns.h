#pragma once
// The "Add-In Manager" dialog: the add-ins registered for this platform, each with a
// check box that switches it on or off, the selected one's file and version, and its
// own about box. OK stores every tick; Cancel (or the window frame) stores nothing.
// Either way the main window makes its add-ins again afterwards.

#include <vector>

#include "config/AddInRegistrations.h"
#include "platform/forms/CheckList.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

class frmAddIns : public forms::Form {
  public:
    frmAddIns();

    forms::Frame Frame1{*this, "Frame1"};
    forms::CheckList lstAddIns{*this, "lstAddIns"};

    forms::Frame frAddIn{*this, "frAddIn"};
    forms::Label Label1{*this, "Label1"};
    forms::TextBox txtFile{*this, "txtFile"};
    forms::Label Label2{*this, "Label2"};
    forms::TextBox txtVersion{*this, "txtVersion"};

    forms::CommandButton cmdAbout{*this, "cmdAbout"};
    forms::CommandButton cmdHelp{*this, "cmdHelp"};
    forms::CommandButton cmdOK{*this, "cmdOK"};
    forms::CommandButton cmdCancel{*this, "cmdCancel"};

  protected:
    void Form_Load() override;

  private:
    void lstAddIns_Click();
    void cmdAbout_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void saveAddInStates();
    void showNoSelection();

    // The listed add-ins, one per list entry, in the list's order.
    std::vector<addins::Registration> listed_;
};
