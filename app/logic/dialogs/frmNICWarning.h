#pragma once
// The "Warning..." dialog shown, without waiting for it, when the network adapter is
// switched while a configuration file is open: the switch re-reads some of the adapter's
// settings from the machine. OK stores whether to show it again as "NICWarning" ("0" when
// "&Do not show this warning again" is ticked, "1" when not); closing it any other way
// stores nothing.

#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

class frmNICWarning : public forms::Form {
  public:
    frmNICWarning();

    forms::Label lblMessage{*this, "lblMessage"};
    forms::Label lblIPAddress{*this, "lblIPAddress"};
    forms::Label lblIPMask{*this, "lblIPMask"};
    forms::Label lblGateway{*this, "lblGateway"};
    forms::Label lblWINSServer1{*this, "lblWINSServer1"};
    forms::Label lblWINSServer2{*this, "lblWINSServer2"};
    forms::Label lblDHCPEnabled{*this, "lblDHCPEnabled"};
    forms::CheckBox chkWarning{*this, "chkWarning"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  protected:
    // Each showing starts with the box clear, even when the same dialog is shown again.
    void Form_Load() override;

  private:
    void cmdOK_Click();
};
