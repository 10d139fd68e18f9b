#include "platform/forms/ComboBox.h"

#include <stdexcept>

namespace forms {

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
}

void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw std::out_of_range(Name() + ": no list entry " + std::to_string(index));
    if (index == listIndex_) return;
    listIndex_ = index;
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
