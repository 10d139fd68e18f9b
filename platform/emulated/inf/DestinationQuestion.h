#pragma once
// The installer's question where a program goes (an INF's CustomDestination): the
// prompt, the proposed folder in a text field, OK and Cancel.

#include <optional>
#include <string>

#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/TextBox.h"

namespace platform::emulated::inf {

class DestinationQuestion : public forms::Form {
  public:
    DestinationQuestion(const std::string& caption, const std::string& prompt,
                        const std::string& folder);

    // Shows the question modally: the folder chosen, or nothing when cancelled.
    std::optional<std::string> ask();

    forms::Label lblPrompt{*this, "lblPrompt"};
    forms::TextBox txtFolder{*this, "txtFolder"};
    forms::CommandButton cmdOK{*this, "cmdOK"};
    forms::CommandButton cmdCancel{*this, "cmdCancel"};

  private:
    std::optional<std::string> answer_;
};

}  // namespace platform::emulated::inf
