#pragma once
// The setup package's main dialog: the info text, then the progress of extraction and
// installation in the text area (control 3002), "&Install" and "&Close" (which becomes
// "&Finish" once setup has run).

#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/TextBox.h"
#include "setup/SetupSession.h"

namespace setup {

class DLG_Main : public forms::Form {
  public:
    explicit DLG_Main(SetupSession& session);

    forms::CommandButton cmdInstall{*this, "cmdInstall"};
    forms::CommandButton cmdClose{*this, "cmdClose"};
    forms::TextBox txtStatus{*this, "txtStatus"};  // control 3002

    bool installationStarted() const { return started_; }
    // Whether extraction and the INF step ran.
    bool installed() const { return installed_; }

  protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

  private:
    void cmdInstall_Click();
    void cmdClose_Click();
    void show(const std::string& text);
    OverwriteAnswer askOverwrite(const std::string& name);

    SetupSession& session_;
    bool started_ = false;
    bool busy_ = false;
    bool installed_ = false;
};

// The info text shown when the package brings none.
inline constexpr const char* kBuiltInInfoText = "\r\n\r\n\r\nPlease click \"Install\" to start setup.";

}  // namespace setup
