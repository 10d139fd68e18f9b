#include "platform/forms/ToolbarButton.h"

namespace forms {

ToolbarButton::ToolbarButton(Form& owner, std::string name, int index, Style style)
    : Control(owner, std::move(name)), index_(index), style_(style) {}

void ToolbarButton::click() {
    if (style_ == Style::Separator || !usable()) return;
    if (style_ == Style::Check) Pressed(!pressed_);
    if (!click_) return;
    // A copy runs, so the handler may give the button a new one while it runs.
    const std::function<void(ToolbarButton&)> running = click_;
    running(*this);
}

}  // namespace forms
