#pragma once
// The window of RmwConverter as a model: a source and a destination file, each with a
// browse button, Convert and Close. The Qt window binds its widgets to these controls;
// tests drive it directly.

#include <string>

#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

namespace converter {

class frmMain : public forms::Form {
  public:
    frmMain();

    forms::Label Label1{*this, "Label1"};
    forms::TextBox txtSource{*this, "txtSource"};
    forms::CommandButton cmdSource{*this, "cmdSource"};
    forms::Label Label2{*this, "Label2"};
    forms::TextBox txtDest{*this, "txtDest"};
    forms::CommandButton cmdDest{*this, "cmdDest"};
    forms::CommandButton cmdStart{*this, "cmdStart"};
    forms::CommandButton cmdClose{*this, "cmdClose"};

    // The filters of the two file dialogs.
    static const char* const kSourceFilter;
    static const char* const kDestinationFilter;

  private:
    void cmdSource_Click();
    void cmdDest_Click();
    void cmdStart_Click();
    void cmdClose_Click();
    // Runs the conversion with the hourglass shown and Convert disabled; both are put
    // back whatever happens.
    void convertShownFiles();
};

}  // namespace converter
