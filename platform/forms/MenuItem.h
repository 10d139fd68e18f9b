#pragma once
// A menu item: caption, shortcut text (such as "Ctrl+O"), check mark, and the click
// event. Menus form a tree: an item without a parent menu is a top-level menu of its
// window's menu bar, and a menu holds its items in the order they were put into it.
// A separator is its own kind of item: it shows a line and takes no clicks. Disabled or
// hidden items ignore clicks, as on the screen.

#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class MenuItem : public Control {
  public:
    enum class Kind { Command, Separator };

    MenuItem(Form& owner, std::string name, Kind kind = Kind::Command);
    // Leaves its menu; items still in it become top-level ones.
    ~MenuItem() override;

    const std::string& Shortcut() const { return shortcut_; }
    void Shortcut(const std::string& shortcut) { assign(shortcut_, shortcut, Property::Shortcut); }
    bool Checked() const { return checked_; }
    void Checked(bool checked) { assign(checked_, checked, Property::Checked); }
    bool isSeparator() const { return kind_ == Kind::Separator; }

    // Puts ITEM at the end of this menu (taking it out of any other).
    void add(MenuItem& item);
    const std::vector<MenuItem*>& items() const { return items_; }
    MenuItem* parentMenu() const { return parent_; }

    void click();
    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    void remove(MenuItem& item);

    Kind kind_;
    std::string shortcut_;
    bool checked_ = false;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
    Handler click_;
};

// The top-level menus of FORM, in the order they were made.
std::vector<MenuItem*> topLevelMenus(const Form& form);

}  // namespace forms
