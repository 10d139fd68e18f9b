#pragma once
// A drop-down list: its items and the selected index (-1 when nothing is selected).
// Selecting an index that differs from the current one raises the click event once;
// clearing the list or adding items raises nothing.

#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class ComboBox : public Control {
  public:
    using Control::Control;

    void Clear();
    void AddItem(const std::string& item);
    const std::vector<std::string>& items() const { return items_; }
    int ListCount() const { return static_cast<int>(items_.size()); }

    int ListIndex() const { return listIndex_; }
    // Selects entry INDEX; an index outside the list is refused with std::out_of_range.
    void ListIndex(int index);
    // The user picks entry INDEX: a disabled or hidden list, or an index outside it,
    // takes nothing. Returns whether the list took it.
    bool pick(int index);
    // The selected entry's text, "" when nothing is selected.
    std::string Text() const;
    // Selects the first entry equal to TEXT; returns false (and selects nothing new)
    // when there is none.
    bool selectText(const std::string& text);

    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    Handler click_;
};

}  // namespace forms
