#pragma once
// A check box: value 0 (unchecked) or 1 (checked). A value that differs from the current
// one raises the click event once; the same value raises nothing.

#include "platform/forms/Control.h"

namespace forms {

class CheckBox : public Control {
  public:
    static constexpr int Unchecked = 0;
    static constexpr int Checked = 1;

    using Control::Control;

    int Value() const { return value_; }
    void Value(int value);
    bool checked() const { return value_ == Checked; }
    // The user clicks the box: its value flips, unless the box is disabled or hidden, as
    // on the screen.
    void click();

    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    int value_ = Unchecked;
    Handler click_;
};

// 1 for true, 0 for false: how a boolean setting shows in a check box.
inline int checkValue(bool on) { return on ? CheckBox::Checked : CheckBox::Unchecked; }

}  // namespace forms
