#include "platform/forms/OptionButton.h"

#include <algorithm>

namespace forms {

OptionButton* OptionGroup::selected() const {
    for (OptionButton* member : members_)
        if (member->Value()) return member;
    return nullptr;
}

OptionGroup::~OptionGroup() {
    for (OptionButton* member : members_) member->group_ = nullptr;
}

OptionButton::OptionButton(Form& owner, std::string name, OptionGroup& group)
    : Control(owner, std::move(name)), group_(&group) {
    group_->members_.push_back(this);
}

OptionButton::~OptionButton() {
    if (group_ == nullptr) return;
    auto& members = group_->members_;
    members.erase(std::remove(members.begin(), members.end(), this), members.end());
}

void OptionButton::Value(bool value) {
    if (value == value_) return;
    if (value && group_ != nullptr) {
        // Copied: a view told of a cleared button must not see the group change under it.
        const std::vector<OptionButton*> members = group_->members_;
        for (OptionButton* member : members) {
            if (member != this && member->value_) {
                member->value_ = false;
                member->changed(Property::Value);
            }
        }
    }
    value_ = value;
    changed(Property::Value);
    if (value) raise(click_);
}

void OptionButton::click() {
    if (usable()) Value(true);
}

}  // namespace forms
