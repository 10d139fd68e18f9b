#pragma once
// A toolbar button, numbered from 1. A plain button only reports clicks; a two-state
// switch flips between pressed and raised when clicked and then reports the click; a
// separator does nothing. Disabled buttons ignore clicks.

#include "platform/forms/Control.h"

namespace forms {

class ToolbarButton : public Control {
  public:
    enum class Style { Button, Check, Separator };

    ToolbarButton(Form& owner, std::string name, int index, Style style);

    int Index() const { return index_; }
    Style style() const { return style_; }
    bool Pressed() const { return pressed_; }
    void Pressed(bool pressed) { assign(pressed_, pressed, Property::Pressed); }

    void click();
    // Receives the clicked button: one handler serves the whole toolbar.
    void onClick(std::function<void(ToolbarButton&)> handler) { click_ = std::move(handler); }

  private:
    int index_;
    Style style_;
    bool pressed_ = false;
    std::function<void(ToolbarButton&)> click_;
};

}  // namespace forms
