#include "platform/forms/MenuItem.h"

#include <algorithm>

#include "platform/forms/Form.h"

namespace forms {

MenuItem::MenuItem(Form& owner, std::string name, Kind kind)
    : Control(owner, std::move(name)), kind_(kind) {}

MenuItem::~MenuItem() {
    if (parent_ != nullptr) parent_->remove(*this);
    for (MenuItem* item : items_) item->parent_ = nullptr;
}

void MenuItem::add(MenuItem& item) {
    if (item.parent_ != nullptr) item.parent_->remove(item);
    item.parent_ = this;
    items_.push_back(&item);
}

void MenuItem::remove(MenuItem& item) {
    items_.erase(std::remove(items_.begin(), items_.end(), &item), items_.end());
    item.parent_ = nullptr;
}

void MenuItem::click() {
    if (isSeparator() || !usable()) return;
    raise(click_);
}

std::vector<MenuItem*> topLevelMenus(const Form& form) {
    std::vector<MenuItem*> menus;
    for (Control* control : form.controls()) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (item != nullptr && item->parentMenu() == nullptr) menus.push_back(item);
    }
    return menus;
}

}  // namespace forms
