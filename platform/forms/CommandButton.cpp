#include "platform/forms/CommandButton.h"

namespace forms {

void CommandButton::click() {
    if (!Enabled() || !Visible()) return;
    raise(click_);
}

}  // namespace forms
