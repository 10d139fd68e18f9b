#include "platform/forms/Form.h"

#include <stdexcept>

#include "platform/Services.h"
#include "platform/forms/Control.h"

namespace forms {

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

void Form::registerControl(Control& control) { controls_.push_back(&control); }

Control* Form::find(const std::string& name) const {
    for (Control* control : controls_)
        if (control->Name() == name) return control;
    return nullptr;
}

void Form::missingControl(const std::string& name) const {
    throw std::out_of_range(name_ + " has no such control: " + name);
}

void Form::moveFocus(Control* control) {
    Control* previous = focused_;
    if (previous == control) return;
    focused_ = control;
    if (previous != nullptr) previous->raiseLostFocus();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void Form::ShowModal() {
    Load();
    if (!loaded_) return;  // Form_Load may unload the form again
    platform::ui().showModal(*this);
    // A service that returns without closing the form has dismissed it.
    if (loaded_) close();
    if (loaded_) Unload();
}

void Form::ShowModeless() {
    Load();
    if (loaded_) platform::ui().showModeless(*this);
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
    focused_ = nullptr;
    Form_Unload();
}

std::string arrayName(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

}  // namespace forms
