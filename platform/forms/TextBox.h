#pragma once
// A text field. Setting a text that differs from the current one raises the change
// event once; setting the same text raises nothing. The maximum length cuts what the
// user types; text set by the program is taken whole, as the toolkit of the original
// windows does.

#include <cstddef>

#include "platform/forms/Control.h"

namespace forms {

class TextBox : public Control {
  public:
    using Control::Control;

    const std::string& Text() const { return text_; }
    void Text(const std::string& text);
    // The user replaces the field's text by typing TEXT: cut to the maximum length.
    void type(const std::string& text);

    std::size_t MaxLength() const { return maxLength_; }  // 0: no limit
    void MaxLength(std::size_t maxLength) { maxLength_ = maxLength; }

    void onChange(Handler handler) { change_ = std::move(handler); }

  private:
    std::string text_;
    std::size_t maxLength_ = 0;
    Handler change_;
};

}  // namespace forms
