#include "platform/forms/CheckBox.h"

namespace forms {

void CheckBox::Value(int value) {
    if (!assign(value_, value, Property::Value)) return;
    raise(click_);
}

void CheckBox::click() {
    if (usable()) Value(checked() ? Unchecked : Checked);
}

}  // namespace forms
