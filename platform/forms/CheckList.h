#pragma once
// A list with a check box in front of each entry (the Add-In Manager's list): its
// entries, the selected entry (-1 for none) and each entry's check mark. Selecting an
// entry that is not selected raises the click event once; the user ticking or clearing
// an entry raises the item-check event with the entry's index. The program changes
// check marks silently, as it fills the list.

#include <functional>
#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class CheckList : public Control {
  public:
    using Control::Control;

    void Clear();
    void AddItem(const std::string& item, bool checked = false);
    int ListCount() const { return static_cast<int>(entries_.size()); }
    const std::string& List(int index) const;

    int ListIndex() const { return listIndex_; }
    // Selects entry INDEX (-1: none); outside the list: std::out_of_range.
    void ListIndex(int index);
    bool Selected(int index) const { return index == listIndex_; }

    bool itemChecked(int index) const;
    void itemChecked(int index, bool checked);

    // The user selects entry INDEX, or ticks or clears its box; a disabled or hidden
    // list, or an index outside it, takes nothing. They return whether it was taken.
    bool pick(int index);
    bool check(int index, bool checked);

    void onClick(Handler handler) { click_ = std::move(handler); }
    void onItemCheck(std::function<void(int)> handler) { itemCheck_ = std::move(handler); }

  private:
    struct Entry {
        std::string text;
        bool checked;
    };
    const Entry& entry(int index) const;

    std::vector<Entry> entries_;
    int listIndex_ = -1;
    Handler click_;
    std::function<void(int)> itemCheck_;
};

}  // namespace forms
