#include "platform/forms/CheckBox.h"

namespace forms {

void CheckBox::Value(int value) {
    if (value == value_) return;
    value_ = value;
    raise(click_);
}

void CheckBox::click() {
    if (Enabled() && Visible()) Value(checked() ? Unchecked : Checked);
}

}  // namespace forms
