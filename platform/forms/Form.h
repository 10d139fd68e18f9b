#pragma once
// A window or dialog as a model: its caption, its controls by name, the input focus,
// and its life from loading to unloading. Window classes derive from Form, hold their
// controls as members and give them their handlers; the user-interface service shows
// them (Qt draws them, the console prints them, the tests' fake operates them).

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class Form {
  public:
    Form(std::string name, std::string caption);
    // A form destroyed while loaded still tells whoever shows it (see onUnloaded); its
    // own Form_Unload cannot run any more, so owners unload their forms first.
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& caption);
    // The view's watcher of the form's own properties (its caption); one per form.
    void watch(std::function<void(Property)> watcher) { watcher_ = std::move(watcher); }

    // Every control in the order it was made, and one by name (nullptr when none).
    // Controls of a control array are named like "mnuFileRecent(1)" (see viewName).
    const std::vector<Control*>& controls() const { return controls_; }
    // The controls in the order the Tab key visits them: by TabIndex, then as made.
    std::vector<Control*> tabOrder() const;
    Control* find(const std::string& name) const;
    // The control named NAME as a T; std::out_of_range when there is none of that kind.
    template <class T>
    T& control(const std::string& name) const {
        T* found = dynamic_cast<T*>(find(name));
        if (found == nullptr) missingControl(name);
        return *found;
    }

    Control* focused() const { return focused_; }
    // Gives CONTROL the input focus; the control that had it raises its leave-field
    // event, then CONTROL its got-focus event (unless the leave-field handler moved the
    // focus elsewhere). Moving the focus to nullptr leaves every field. Both controls
    // report Property::Focus to their views.
    void moveFocus(Control* control);

    bool loaded() const { return loaded_; }
    // Loads the form (running Form_Load once) without showing it.
    void Load();
    // Loads the form and shows it modally through the user-interface service; returns
    // once it is unloaded.
    void ShowModal();
    // Loads the form and shows it through the user-interface service without waiting;
    // a form already shown is brought to the front instead. OWNER, when given, is the
    // window it belongs to: it stays in front of it and closes with it.
    void ShowModeless();
    void ShowModeless(Form& owner);
    Form* Owner() const { return owner_; }
    // Asks the form to close, as its window frame or the program's exit does: the form
    // may refuse (QueryUnload). Returns true when it was unloaded.
    bool close();
    // Unloads the form without asking, as a dialog's own buttons do.
    void Unload();

    // For whoever shows the form (the user-interface service): HANDLER is called once,
    // when the form is next unloaded, whoever unloads it, or destroyed while loaded, so
    // that a window drawn for it closes and lets go of it. The form's controls may be
    // gone by then. A later call replaces the handler; an empty one removes it.
    void onUnloaded(std::function<void()> handler) { unloaded_ = std::move(handler); }

  protected:
    virtual void Form_Load() {}
    // Return true to keep the form open.
    virtual bool Form_QueryUnload() { return false; }
    virtual void Form_Unload() {}

  private:
    friend class Control;
    void registerControl(Control& control);
    void unregisterControl(Control& control);
    void notifyUnloaded();
    [[noreturn]] void missingControl(const std::string& name) const;

    std::string name_;
    std::string caption_;
    std::function<void(Property)> watcher_;
    Form* owner_ = nullptr;
    std::vector<Control*> controls_;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    std::function<void()> unloaded_;
};

// The name of element INDEX of the control array NAME: "NAME(INDEX)".
std::string arrayName(const std::string& name, int index);
// The name a drawn window gives the control named CONTROLNAME: the name itself, except
// that an element of a control array, "NAME(INDEX)", becomes "NAME_INDEX", since names
// in layout files (Qt Designer's objectName) cannot hold parentheses. Control names
// hold no underscores, so the two never meet.
std::string viewName(const std::string& controlName);

}  // namespace forms
