#pragma once
// A user interface that passes everything on to another one and keeps a record of what
// the window showed on it, so that a command can tell how opening and applying a
// configuration file ended.

#include <optional>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace rmwctl {

class WatchedConsole : public platform::UserInterface {
  public:
    explicit WatchedConsole(platform::UserInterface& console) : console_(console) {}

    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override;
    platform::MousePointer mousePointer() const override;
    void mousePointer(platform::MousePointer pointer) override;
    void showModal(forms::Form& form) override;
    void showModeless(forms::Form& form) override;
    std::optional<std::string> fileDialog(const platform::FileDialogRequest& request) override;

    bool showedMessage(const std::string& text) const;
    bool showedMessageStartingWith(const std::string& start) const;
    // The messages that told of an error (a settings file that could not be written, a
    // restart that could not be made): those with the exclamation or critical icon.
    std::vector<std::string> errors() const;
    bool showedDialog(const std::string& name) const;

  private:
    struct Message {
        std::string text;
        platform::MsgBoxIcon icon;
    };
    platform::UserInterface& console_;
    std::vector<Message> messages_;
    std::vector<std::string> dialogs_;
};

}  // namespace rmwctl
