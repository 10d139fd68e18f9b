#include "platform/forms/Control.h"

#include "platform/forms/Form.h"

namespace forms {

Control::Control(Form& owner, std::string name) : owner_(&owner), name_(std::move(name)) {
    owner_->registerControl(*this);
}

Control::~Control() {
    if (owner_ != nullptr) owner_->unregisterControl(*this);
}

void Control::SetFocus() {
    if (owner_ != nullptr) owner_->moveFocus(this);
}

bool Control::hasFocus() const { return owner_ != nullptr && owner_->focused() == this; }

void Control::raiseLostFocus() { raise(lostFocus_); }

}  // namespace forms
