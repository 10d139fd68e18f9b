#pragma once
// A panel of a status bar: its text (the caption) or picture, its tool tip and whether
// it shows.

#include "platform/forms/Control.h"

namespace forms {

class StatusPanel : public Control {
  public:
    using Control::Control;

    const std::string& Text() const { return Caption(); }
    void Text(const std::string& text) { Caption(text); }
};

}  // namespace forms
