#include "platform/forms/CheckList.h"

#include <stdexcept>

namespace forms {

void CheckList::Clear() {
    if (entries_.empty() && listIndex_ == -1) return;
    entries_.clear();
    listIndex_ = -1;
    changed(Property::Items);
}

void CheckList::AddItem(const std::string& item, bool checked) {
    entries_.push_back({item, checked});
    changed(Property::Items);
}

const CheckList::Entry& CheckList::entry(int index) const {
    if (index < 0 || index >= ListCount())
        throw std::out_of_range(Name() + ": no list entry " + std::to_string(index));
    return entries_[static_cast<std::size_t>(index)];
}

const std::string& CheckList::List(int index) const { return entry(index).text; }

void CheckList::ListIndex(int index) {
    if (index != -1) entry(index);
    if (!assign(listIndex_, index, Property::ListIndex)) return;
    raise(click_);
}

bool CheckList::itemChecked(int index) const { return entry(index).checked; }

void CheckList::itemChecked(int index, bool checked) {
    entry(index);
    bool& mark = entries_[static_cast<std::size_t>(index)].checked;
    if (mark == checked) return;
    mark = checked;
    changed(Property::ItemChecked);
}

bool CheckList::pick(int index) {
    if (!usable() || index < 0 || index >= ListCount()) return false;
    ListIndex(index);
    return true;
}

// A copy of the handler runs, as for every event.
bool CheckList::check(int index, bool checked) {
    if (!usable() || index < 0 || index >= ListCount()) return false;
    if (itemChecked(index) == checked) return true;
    itemChecked(index, checked);
    if (itemCheck_) {
        const std::function<void(int)> running = itemCheck_;
        running(index);
    }
    return true;
}

}  // namespace forms
