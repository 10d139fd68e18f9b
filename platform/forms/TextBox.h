#pragma once
// A text field. Setting a text that differs from the current one raises the change
// event once; setting the same text raises nothing. The maximum length cuts what the
// user types; text set by the program is taken whole, as the toolkit of the original
// windows does. A locked field shows its text read-only; a multi-line field wraps and
// takes line breaks.

#include <cstddef>

#include "platform/forms/Control.h"

namespace forms {

class TextBox : public Control {
  public:
    using Control::Control;

    const std::string& Text() const { return text_; }
    void Text(const std::string& text);
    // The user replaces the field's text by typing (or pasting) TEXT: cut to the maximum
    // length; a field already that long takes nothing longer. A disabled, hidden or
    // locked field takes nothing, as on the screen. Returns whether the field took it.
    bool type(const std::string& text);

    std::size_t MaxLength() const { return maxLength_; }  // 0: no limit
    void MaxLength(std::size_t maxLength) { assign(maxLength_, maxLength, Property::MaxLength); }
    bool Locked() const { return locked_; }
    void Locked(bool locked) { assign(locked_, locked, Property::Locked); }
    // Fixed when the window is built, as a layout has it.
    bool MultiLine() const { return multiLine_; }
    void MultiLine(bool multiLine) { multiLine_ = multiLine; }

    void onChange(Handler handler) { change_ = std::move(handler); }

  private:
    std::string text_;
    std::size_t maxLength_ = 0;
    bool locked_ = false;
    bool multiLine_ = false;
    Handler change_;
};

}  // namespace forms
