#pragma once
// A tab control: tabs with captions, each enabled or not, and the current tab. The user
// picking a tab raises the tab-picked (click) event once when the current tab changes;
// a tab the program selects raises nothing.

#include <memory>
#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class Tab : public Control {
  public:
    using Control::Control;
};

class TabStrip : public Control {
  public:
    using Control::Control;

    // Adds a tab named NAME with CAPTION; tabs are numbered from 0 in the order added.
    Tab& addTab(const std::string& name, const std::string& caption);
    Tab& tab(int index) const;
    int tabCount() const { return static_cast<int>(tabs_.size()); }

    int currentTab() const { return current_; }
    // Makes tab INDEX the current one; an index outside the strip is refused with
    // std::out_of_range.
    void currentTab(int index);
    // The user picks tab INDEX: a disabled or hidden tab (or strip), or an index outside
    // the strip, is not taken. Returns whether it was.
    bool pick(int index);

    void onClick(Handler handler) { click_ = std::move(handler); }

  private:
    std::vector<std::unique_ptr<Tab>> tabs_;
    int current_ = 0;
    Handler click_;
};

}  // namespace forms
