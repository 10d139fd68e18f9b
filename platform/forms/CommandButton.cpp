#include "platform/forms/CommandButton.h"

namespace forms {

void CommandButton::click() {
    if (!usable()) return;
    raise(click_);
}

}  // namespace forms
