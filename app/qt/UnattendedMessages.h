#pragma once
// The user-interface service of a run nobody watches (rmw --screenshot): windows and
// dialogs are drawn by the Qt service it wraps, but a message box is written to the
// error stream and answered with its first button instead of waiting for a click that
// never comes (an add-in that cannot be created would otherwise stop the run for good).

#include <iosfwd>

#include "platform/UserInterface.h"

namespace rmwqt {

class UnattendedMessages : public platform::UserInterface {
  public:
    UnattendedMessages(platform::UserInterface& shown, std::ostream& log);

    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon, const std::string& caption) override;
    platform::MousePointer mousePointer() const override;
    void mousePointer(platform::MousePointer pointer) override;
    void showModal(forms::Form& form) override;
    void showModeless(forms::Form& form) override;
    std::optional<std::string> fileDialog(const platform::FileDialogRequest& request) override;

  private:
    platform::UserInterface& shown_;
    std::ostream& log_;
};

}  // namespace rmwqt
