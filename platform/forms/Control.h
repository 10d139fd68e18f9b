#pragma once
// The state every control of a window model shares: its name, caption, tool tip, whether
// it is enabled and visible, its background as the system colour it stands for, a
// picture, and its place in the tab order. Controls belong to a Form and register with
// it when they are made, so a window can be driven by control name (by tests, the
// console and the Qt layer alike).
//
// Whoever draws a control (the view) watches it: every property change that differs
// from the current value is reported once, naming the property, so a view redraws what
// changed instead of re-reading every control after each event.

#include <functional>
#include <string>

namespace forms {

class Form;

// The system colours a control's background can stand for.
enum class SystemColor { Window, ButtonFace };

// The properties a view is told about when they change.
enum class Property {
    Caption,
    ToolTipText,
    Enabled,
    Visible,
    BackColor,
    Picture,
    Focus,      // the control gained or lost the input focus
    Text,       // a text box's text
    MaxLength,
    Locked,     // a text box became read-only or editable
    Value,      // a check box's or option button's value
    Items,      // a list's entries (the selection may have gone with them)
    ListIndex,  // a list's selected entry
    ItemChecked,  // the check box of a list entry
    CurrentTab,
    Pressed,    // a toolbar switch
    Checked,    // a menu item's check mark
    Shortcut,
    Default,    // a command button became (or stopped being) the default or cancel button
};

using Handler = std::function<void()>;
using PropertyWatcher = std::function<void(Property)>;

class Control {
  public:
    Control(Form& owner, std::string name);
    // Leaves the form, which then no longer finds or focuses it.
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Form& owner() const { return *owner_; }

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& caption) { assign(caption_, caption, Property::Caption); }
    const std::string& ToolTipText() const { return toolTip_; }
    void ToolTipText(const std::string& toolTip) { assign(toolTip_, toolTip, Property::ToolTipText); }
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled) { assign(enabled_, enabled, Property::Enabled); }
    bool Visible() const { return visible_; }
    void Visible(bool visible) { assign(visible_, visible, Property::Visible); }
    SystemColor BackColor() const { return backColor_; }
    void BackColor(SystemColor color) { assign(backColor_, color, Property::BackColor); }
    // The name of the picture the control shows (a toolbar button's or an indicator
    // panel's), "" for none. Views look the name up among their own pictures.
    const std::string& Picture() const { return picture_; }
    void Picture(const std::string& picture) { assign(picture_, picture, Property::Picture); }
    // Where the control stands in the order the Tab key follows; controls with the same
    // index keep the order they were made in.
    int TabIndex() const { return tabIndex_; }
    void TabIndex(int index) { tabIndex_ = index; }
    // Whether the user can act on the control now: enabled and visible.
    bool usable() const { return enabled_ && visible_; }

    // Moves the input focus here; the control that had it raises its leave-field event,
    // then this one raises its got-focus event.
    void SetFocus();
    bool hasFocus() const;
    // The leave-field event and the got-focus event.
    void onLostFocus(Handler handler) { lostFocus_ = std::move(handler); }
    void onGotFocus(Handler handler) { gotFocus_ = std::move(handler); }
    void raiseLostFocus();
    void raiseGotFocus();

    // The view's watcher (one per control; a later call replaces it, an empty one
    // removes it).
    void watch(PropertyWatcher watcher) { watcher_ = std::move(watcher); }
    // Reports PROPERTY to the view: for derived controls whose own properties changed.
    void changed(Property property) const;

  protected:
    // Sets FIELD to VALUE and reports PROPERTY when they differ; true when it changed.
    template <class T>
    bool assign(T& field, const T& value, Property property) {
        if (field == value) return false;
        field = value;
        changed(property);
        return true;
    }

  private:
    friend class Form;
    // The form goes first: the control stays as an object but belongs to no form.
    void detachFromOwner() { owner_ = nullptr; }

    Form* owner_;
    std::string name_;
    std::string caption_;
    std::string toolTip_;
    std::string picture_;
    bool enabled_ = true;
    bool visible_ = true;
    SystemColor backColor_ = SystemColor::Window;
    int tabIndex_ = 0;
    Handler lostFocus_;
    Handler gotFocus_;
    PropertyWatcher watcher_;
};

// Calls HANDLER when it is set; events without a handler do nothing. The call runs on a
// copy, so a handler may give its control a new handler while it runs.
inline void raise(const Handler& handler) {
    if (!handler) return;
    Handler running = handler;
    running();
}

}  // namespace forms
