#pragma once
// The "Warning..." dialog shown when Navigator's preference file cannot be found. OK
// stores the state of "&Do not display this warning again" as "NavigatorWarning" ("1"
// ticked, "0" not); closing it any other way stores nothing. While it is open the
// normal mouse pointer shows; the previous pointer comes back when it closes.

#include "platform/UserInterface.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

class frmNetscape : public forms::Form {
  public:
    frmNetscape();

    forms::Frame Frame1{*this, "Frame1"};
    forms::Label lblMessage{*this, "lblMessage"};
    forms::CheckBox chkWarning{*this, "chkWarning"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void cmdOK_Click();

    platform::MousePointer savedPointer_ = platform::MousePointer::Default;
};
