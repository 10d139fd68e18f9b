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

void Control::raiseGotFocus() { raise(gotFocus_); }

// A copy runs, so a view may stop watching while it is told.
void Control::changed(Property property) const {
    if (!watcher_) return;
    const PropertyWatcher running = watcher_;
    running(property);
}

}  // namespace forms
