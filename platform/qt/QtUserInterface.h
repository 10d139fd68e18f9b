#pragma once
// The user-interface service of the Qt programs: message boxes with the buttons, icon,
// caption and default answer the models ask for; forms shown modally or modelessly in
// windows made from their layouts (one maker per form name) and bound to them; the
// common file dialogs; the busy pointer as an override cursor that is always restored.
//
// A program registers a maker for every form it shows, installs the service
// (platform::Services), and shows its main form with ShowModeless(); the window closes
// when its form unloads, and the program ends with its last window.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/UserInterface.h"

namespace qtkit {

class FormBinder;

class QtUserInterface : public platform::UserInterface {
  public:
    using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

    QtUserInterface();
    // Windows still shown close; their forms stop reporting to the service.
    ~QtUserInterface() override;
    QtUserInterface(const QtUserInterface&) = delete;
    QtUserInterface& operator=(const QtUserInterface&) = delete;

    // The window of the form named FORMNAME is made by MAKER (see makeWindow).
    void registerWindow(const std::string& formName, WindowMaker maker);
    // A new, unbound window for FORMNAME; std::invalid_argument when none is registered.
    std::unique_ptr<QWidget> makeWindow(const std::string& formName) const;
    // The window showing FORM now, or nullptr.
    QWidget* windowOf(const forms::Form& form) const;

    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override;
    platform::MousePointer mousePointer() const override;
    void mousePointer(platform::MousePointer pointer) override;
    void showModal(forms::Form& form) override;
    void showModeless(forms::Form& form) override;
    std::optional<std::string> fileDialog(const platform::FileDialogRequest& request) override;

  private:
    struct Shown {
        QPointer<QWidget> window;
        FormBinder* binder;
    };
    // The window a new window belongs to: FORM's owner's, else the active one.
    QWidget* parentFor(const forms::Form& form) const;
    std::unique_ptr<QWidget> prepare(forms::Form& form);
    void forget(forms::Form* form);
    // Takes the busy pointer off while the user answers something, and back after.
    class PointerPause;

    std::map<std::string, WindowMaker> makers_;
    std::map<forms::Form*, Shown> shown_;
    int overrides_ = 0;
};

// "Roamwise Files (*.rmw)|*.rmw|All Files (*.*)|*.*" as Qt's name filters:
// "Roamwise Files (*.rmw *.RMW)" and "All Files (*)".
QStringList nameFilters(const std::string& filter);

}  // namespace qtkit
