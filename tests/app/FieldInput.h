#pragma once
// Whether a settings tab's text field takes input, as the tab tests ask it.

#include <gtest/gtest.h>

#include "platform/forms/TextBox.h"

namespace testsupport {

// Whether FIELD takes input, checking that its background also says so.
inline bool takesInput(const forms::TextBox& field) {
    const bool looksEnabled = field.BackColor() == forms::SystemColor::Window;
    EXPECT_EQ(field.Enabled(), looksEnabled) << field.Name() << " looks wrong";
    return field.Enabled();
}

}  // namespace testsupport
