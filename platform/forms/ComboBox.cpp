#include "platform/forms/ComboBox.h"

#include <stdexcept>

namespace forms {

void ComboBox::Clear() {
    if (items_.empty() && listIndex_ == -1) return;
    items_.clear();
    listIndex_ = -1;
    changed(Property::Items);
}

void ComboBox::AddItem(const std::string& item) {
    items_.push_back(item);
    changed(Property::Items);
}

bool ComboBox::pick(int index) {
    if (!usable() || index < 0 || index >= ListCount()) return false;
    ListIndex(index);
    return true;
}

void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw std::out_of_range(Name() + ": no list entry " + std::to_string(index));
    if (!assign(listIndex_, index, Property::ListIndex)) return;
    raise(click_);
}

std::string ComboBox::Text() const {
    return listIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(listIndex_)];
}

bool ComboBox::selectText(const std::string& text) {
    for (int index = 0; index < ListCount(); ++index) {
        if (items_[static_cast<std::size_t>(index)] == text) {
            ListIndex(index);
            return true;
        }
    }
    return false;
}

}  // namespace forms
