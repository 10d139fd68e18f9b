#include "platform/forms/Form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/Services.h"
#include "platform/forms/Control.h"

namespace forms {

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() {
    for (Control* control : controls_) control->detachFromOwner();
    if (!loaded_) return;
    loaded_ = false;
    notifyUnloaded();
}

// Names are how windows are driven and drawn, so two controls of one form never share
// one.
void Form::registerControl(Control& control) {
    if (find(control.Name()) != nullptr)
        throw std::logic_error(name_ + " already has a control named " + control.Name());
    controls_.push_back(&control);
}

// A control that goes before its form (a rebuilt list of menu entries, say) must not be
// found, focused or left any more.
void Form::unregisterControl(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (focused_ == &control) focused_ = nullptr;
}

Control* Form::find(const std::string& name) const {
    for (Control* control : controls_)
        if (control->Name() == name) return control;
    return nullptr;
}

void Form::missingControl(const std::string& name) const {
    throw std::out_of_range(name_ + " has no such control: " + name);
}

void Form::Caption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (!watcher_) return;
    const std::function<void(Property)> running = watcher_;
    running(Property::Caption);
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order = controls_;
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    return order;
}

void Form::moveFocus(Control* control) {
    Control* previous = focused_;
    if (previous == control) return;
    focused_ = control;
    if (previous != nullptr) {
        previous->changed(Property::Focus);
        previous->raiseLostFocus();
    }
    // A leave-field handler that sent the focus back (or on) has told its own control.
    if (control == nullptr || focused_ != control) return;
    control->changed(Property::Focus);
    control->raiseGotFocus();
}

// A Form_Load that fails leaves the form unloaded, so that the next Load runs it again
// rather than showing a half-filled form.
void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    try {
        Form_Load();
    } catch (...) {
        loaded_ = false;
        focused_ = nullptr;
        throw;
    }
}

void Form::ShowModal() {
    Load();
    if (!loaded_) return;  // Form_Load may unload the form again
    try {
        platform::ui().showModal(*this);
    } catch (...) {
        // The dialog is off the screen either way; it must not stay loaded behind it.
        Unload();
        throw;
    }
    // A service that returns without closing the form has dismissed it.
    if (loaded_) close();
    if (loaded_) Unload();
}

void Form::ShowModeless() {
    Load();
    if (loaded_) platform::ui().showModeless(*this);
}

void Form::ShowModeless(Form& owner) {
    owner_ = &owner;
    ShowModeless();
}

bool Form::close() {
    if (!loaded_) return true;
    if (Form_QueryUnload()) return false;
    Unload();
    return true;
}

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    if (Control* had = std::exchange(focused_, nullptr)) had->changed(Property::Focus);
    try {
        Form_Unload();
    } catch (...) {
        notifyUnloaded();
        throw;
    }
    notifyUnloaded();
}

void Form::notifyUnloaded() {
    if (std::function<void()> unloaded = std::exchange(unloaded_, nullptr)) unloaded();
}

std::string arrayName(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

std::string viewName(const std::string& controlName) {
    const auto open = controlName.find('(');
    if (open == std::string::npos || controlName.back() != ')') return controlName;
    return controlName.substr(0, open) + "_" +
           controlName.substr(open + 1, controlName.size() - open - 2);
}

}  // namespace forms
