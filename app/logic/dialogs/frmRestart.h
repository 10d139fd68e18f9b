#pragma once
// The "Roamwise Restart" dialog shown after an apply that needs a restart: the user picks
// rebooting, suspending, shutting down or restarting later, and may make the pick the
// stored default. OK carries the pick out; closing the dialog by its frame performs and
// stores nothing.

#include "app/logic/dialogs/RestartOptions.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"

class frmRestart : public forms::Form {
  public:
    frmRestart();

    forms::Frame Frame1{*this, "Frame1"};
    forms::OptionGroup restartChoices;
    forms::OptionButton optReboot{*this, "optReboot", restartChoices};
    forms::OptionButton optSuspend{*this, "optSuspend", restartChoices};
    forms::OptionButton optShutdown{*this, "optShutdown", restartChoices};
    forms::OptionButton optManual{*this, "optManual", restartChoices};
    forms::CheckBox chkDefault{*this, "chkDefault"};
    forms::CommandButton cmdHelp{*this, "cmdHelp"};
    forms::CommandButton cmdOK{*this, "cmdOK"};

  protected:
    void Form_Load() override;

  private:
    void loadOptions();
    void setOptions();
    void cmdOK_Click();
    void cmdHelp_Click();

    RestartOptions options_{optManual, optReboot, optShutdown, optSuspend};
};
