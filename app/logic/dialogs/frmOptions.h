#pragma once
// The "Roamwise Options" dialog: the default restart choice and automatic restart, the
// number of recent files to keep, whether Roamwise and its tray utility start with
// Windows, whether Roamwise starts at shutdown or logoff, and the .RMW file association.
// The options are read when the dialog opens and stored only on OK; the association
// button acts at once, whichever way the dialog is then closed.

#include "app/logic/dialogs/FileAssociation.h"
#include "app/logic/dialogs/RestartOptions.h"
#include "app/logic/dialogs/StartupEntries.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"
#include "registry/clsEasyRegistry.h"

class frmOptions : public forms::Form {
  public:
    frmOptions();

    forms::Frame fraStartup{*this, "fraStartup"};
    forms::CheckBox chkStartup{*this, "chkStartup"};
    forms::CheckBox chkShutdown{*this, "chkShutdown"};

    forms::Frame fraRestart{*this, "fraRestart"};
    forms::OptionGroup restartChoices;
    forms::OptionButton optManual{*this, "optManual", restartChoices};
    forms::OptionButton optReboot{*this, "optReboot", restartChoices};
    forms::OptionButton optShutdown{*this, "optShutdown", restartChoices};
    forms::OptionButton optSuspend{*this, "optSuspend", restartChoices};

    forms::Frame fraMiscellaneous{*this, "fraMiscellaneous"};
    forms::CommandButton cmdAssociate{*this, "cmdAssociate"};
    forms::Label lblMaxRecent{*this, "lblMaxRecent"};
    forms::TextBox txtMaxRecent{*this, "txtMaxRecent"};
    forms::CheckBox chkAutoApply{*this, "chkAutoApply"};
    forms::CheckBox chkSystemTray{*this, "chkSystemTray"};

    forms::CommandButton cmdOK{*this, "cmdOK"};
    forms::CommandButton cmdCancel{*this, "cmdCancel"};
    forms::CommandButton cmdHelp{*this, "cmdHelp"};

  protected:
    void Form_Load() override;

  private:
    void loadOptions();
    void loadMaxRecent();
    void setOptions();
    void setTrayUtility();
    void startTrayUtility(const std::string& trayPath);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdAssociate_Click();
    void txtMaxRecent_Change();
    void showAssociation(bool associated);
    void showInvalidMaximum();

    clsEasyRegistry registry_;
    StartupEntries startupEntries_{registry_};
    FileAssociation association_{registry_};
    RestartOptions restartOptions_{optManual, optReboot, optShutdown, optSuspend};
};
