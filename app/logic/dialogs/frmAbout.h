#pragma once
// The about box: the program's title and version, and OK to close it.

#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

class frmAbout : public forms::Form {
  public:
    frmAbout();

    forms::Label lblTitle{*this, "lblTitle"};
    forms::Label lblVersion{*this, "lblVersion"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  private:
    void cmdOK_Click();
};
