#include "platform/forms/OptionButton.h"

namespace forms {

OptionButton* OptionGroup::selected() const {
    for (OptionButton* member : members_)
        if (member->Value()) return member;
    return nullptr;
}

OptionButton::OptionButton(Form& owner, std::string name, OptionGroup& group)
    : Control(owner, std::move(name)), group_(group) {
    group_.members_.push_back(this);
}

void OptionButton::Value(bool value) {
    if (value == value_) return;
    if (value) {
        for (OptionButton* member : group_.members_) member->value_ = false;
    }
    value_ = value;
    if (value) raise(click_);
}

}  // namespace forms
