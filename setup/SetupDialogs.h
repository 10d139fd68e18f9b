#pragma once
// The agreement page "DLG_LIC" and the overwrite question "FileExist". The main
// dialog "DLG_Main" lives in DLG_Main.h.

#include <string>

#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"
#include "setup/ArchiveExtractor.h"

namespace setup {

class DLG_LIC : public forms::Form {
  public:
    explicit DLG_LIC(const std::string& agreement);
    // Shows the page modally: true when the user answered "I agree".
    bool ask();

    forms::Label lblHeading{*this, "lblHeading"};
    forms::TextBox txtAgreement{*this, "txtAgreement"};
    forms::CommandButton cmdAgree{*this, "cmdAgree"};
    forms::CommandButton cmdCancel{*this, "cmdCancel"};

  private:
    bool agreed_ = false;
};

class FileExist : public forms::Form {
  public:
    explicit FileExist(const std::string& fileName);
    // Shows the question modally; closing it by its frame answers No.
    OverwriteAnswer ask();

    forms::Label lblQuestion{*this, "lblQuestion"};
    forms::CommandButton cmdYes{*this, "cmdYes"};
    forms::CommandButton cmdNo{*this, "cmdNo"};
    forms::CheckBox chkDontAsk{*this, "chkDontAsk"};

  private:
    bool yes_ = false;
};

}  // namespace setup
