#include "platform/forms/TabStrip.h"

#include <stdexcept>

namespace forms {

Tab& TabStrip::addTab(const std::string& name, const std::string& caption) {
    tabs_.push_back(std::make_unique<Tab>(owner(), name));
    tabs_.back()->Caption(caption);
    return *tabs_.back();
}

Tab& TabStrip::tab(int index) const {
    if (index < 0 || index >= tabCount())
        throw std::out_of_range(Name() + ": no tab " + std::to_string(index));
    return *tabs_[static_cast<std::size_t>(index)];
}

void TabStrip::currentTab(int index) {
    tab(index);
    assign(current_, index, Property::CurrentTab);
}

bool TabStrip::pick(int index) {
    if (!usable() || index < 0 || index >= tabCount() || !tab(index).usable()) return false;
    if (index != current_) {
        currentTab(index);
        raise(click_);
    }
    return true;
}

}  // namespace forms
