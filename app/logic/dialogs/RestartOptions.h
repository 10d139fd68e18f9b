#pragma once
// The four restart option buttons of a dialog and the restart choice codes they stand
// for ("0" manual, "1" reboot, "2" shut down, "3" suspend). Both the restart dialog and
// the options dialog show the stored default choice this way.

#include <array>
#include <optional>
#include <string>

#include "platform/forms/OptionButton.h"

class RestartOptions {
  public:
    RestartOptions(forms::OptionButton& manual, forms::OptionButton& reboot,
                   forms::OptionButton& shutdown, forms::OptionButton& suspend);

    // Selects the button of CODE; for a text that is no choice, none is selected.
    void show(const std::string& code);
    // The code of the selected button; nothing when none is selected.
    std::optional<std::string> selected() const;

  private:
    struct Entry {
        forms::OptionButton* button;
        const char* code;
    };
    std::array<Entry, 4> entries_;
};
