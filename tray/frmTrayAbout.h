#pragma once
// The tray utility's about box, shown without waiting: title, version and OK. It is laid
// out as the main program's about box and carries the same form and control names.

#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

class frmTrayAbout : public forms::Form {
  public:
    frmTrayAbout();

    forms::Label lblTitle{*this, "lblTitle"};
    forms::Label lblVersion{*this, "lblVersion"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  private:
    void cmdOK_Click();
};
