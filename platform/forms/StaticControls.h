#pragma once
// Controls that only show their caption: labels and the frames that group controls.

#include "platform/forms/Control.h"

namespace forms {

class Label : public Control {
  public:
    using Control::Control;
};

class Frame : public Control {
  public:
    using Control::Control;
};

}  // namespace forms
