#pragma once
// An option button of a group: selecting one clears the others of its group without
// raising their events. Selecting a button that was not selected raises its click event
// once; selecting it again raises nothing. Buttons made with the same group object form
// one group.

#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class OptionButton;

class OptionGroup {
  public:
    OptionGroup() = default;
    // Buttons that outlive their group stand alone afterwards.
    ~OptionGroup();
    OptionGroup(const OptionGroup&) = delete;
    OptionGroup& operator=(const OptionGroup&) = delete;

    // The selected button, or nullptr.
    OptionButton* selected() const;

  private:
    friend class OptionButton;
    std::vector<OptionButton*> members_;
};

class OptionButton : public Control {
  public:
    OptionButton(Form& owner, std::string name, OptionGroup& group);
    ~OptionButton() override;

    bool Value() const { return value_; }
    // True selects this button (clearing the others); false only clears it.
    void Value(bool value);
    // The user clicks the button; a disabled or hidden one ignores it, as on the screen.
    void click();

    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    friend class OptionGroup;

    OptionGroup* group_;
    bool value_ = false;
    Handler click_;
};

}  // namespace forms
