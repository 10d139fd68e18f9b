#pragma once
// The state every control of a window model shares: its name, caption, tool tip, whether
// it is enabled and visible, and its background as the system colour it stands for.
// Controls belong to a Form and register with it when they are made, so a window can be
// driven by control name (by tests, the console and the Qt layer alike).

#include <functional>
#include <string>

namespace forms {

class Form;

// The system colours a control's background can stand for.
enum class SystemColor { Window, ButtonFace };

using Handler = std::function<void()>;

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
    void Caption(const std::string& caption) { caption_ = caption; }
    const std::string& ToolTipText() const { return toolTip_; }
    void ToolTipText(const std::string& toolTip) { toolTip_ = toolTip; }
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void Visible(bool visible) { visible_ = visible; }
    SystemColor BackColor() const { return backColor_; }
    void BackColor(SystemColor color) { backColor_ = color; }

    // Moves the input focus here; the control that had it raises its leave-field event.
    void SetFocus();
    bool hasFocus() const;
    // The leave-field event.
    void onLostFocus(Handler handler) { lostFocus_ = std::move(handler); }
    void raiseLostFocus();

  private:
    friend class Form;
    // The form goes first: the control stays as an object but belongs to no form.
    void detachFromOwner() { owner_ = nullptr; }

    Form* owner_;
    std::string name_;
    std::string caption_;
    std::string toolTip_;
    bool enabled_ = true;
    bool visible_ = true;
    SystemColor backColor_ = SystemColor::Window;
    Handler lostFocus_;
};

// Calls HANDLER when it is set; events without a handler do nothing. The call runs on a
// copy, so a handler may give its control a new handler while it runs.
inline void raise(const Handler& handler) {
    if (!handler) return;
    Handler running = handler;
    running();
}

}  // namespace forms
