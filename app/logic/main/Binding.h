#pragma once
// A control of a settings tab bound to one property of a backend or of the document:
// which setting it shows and whether a change to it needs a restart when applied.
// The tabs list their bindings so that tools can compare what the window shows.

#include <cstdint>
#include <string>

#include "platform/forms/Control.h"

struct Binding {
    const forms::Control* control;
    std::string property;  // the property's name, e.g. "IPAddress"
    std::int16_t mode;     // kUnsavedChange or kUnsavedChangeNeedingRestart
};

// What a bound control shows, as text: a text field's or list's text, "1" or "0" for a
// check box or option button.
std::string controlValue(const forms::Control& control);
