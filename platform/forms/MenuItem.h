#pragma once
// A menu item: caption, shortcut text (such as "Ctrl+O"), check mark, and the click
// event. A separator is an item whose caption is "-". Disabled or hidden items ignore
// clicks, as on the screen.

#include "platform/forms/Control.h"

namespace forms {

class MenuItem : public Control {
  public:
    using Control::Control;

    const std::string& Shortcut() const { return shortcut_; }
    void Shortcut(const std::string& shortcut) { shortcut_ = shortcut; }
    bool Checked() const { return checked_; }
    void Checked(bool checked) { checked_ = checked; }
    bool isSeparator() const { return Caption() == "-"; }

    void click();
    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    std::string shortcut_;
    bool checked_ = false;
    Handler click_;
};

}  // namespace forms
