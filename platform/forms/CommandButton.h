#pragma once
// A push button. A disabled or hidden button ignores clicks, as on the screen.

#include "platform/forms/Control.h"

namespace forms {

class CommandButton : public Control {
  public:
    using Control::Control;

    // The button Enter presses, and the one Escape presses.
    bool Default() const { return default_; }
    void Default(bool isDefault) { assign(default_, isDefault, Property::Default); }
    bool Cancel() const { return cancel_; }
    void Cancel(bool isCancel) { assign(cancel_, isCancel, Property::Default); }

    void click();
    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    bool default_ = false;
    bool cancel_ = false;
    Handler click_;
};

}  // namespace forms
