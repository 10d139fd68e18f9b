#include "platform/forms/MenuItem.h"

namespace forms {

void MenuItem::click() {
    if (!Enabled() || !Visible()) return;
    raise(click_);
}

}  // namespace forms
