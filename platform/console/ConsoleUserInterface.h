#pragma once
// The user-interface service of command-line programs: messages go to standard error,
// questions get their default answer (the first button: OK, Abort, Yes or Retry), the
// mouse pointer is remembered but nothing is drawn, and file dialogs are cancelled.
// A dialog is printed as its caption and texts; the program may say how a dialog is to
// be answered (operating its controls as a user would), otherwise it is closed by its
// window frame, which chooses nothing.

#include <functional>
#include <iosfwd>
#include <map>

#include "platform/UserInterface.h"

namespace platform {

class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& messages);
    MsgBoxResult messageBox(const std::string& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                            const std::string& caption) override;
    MousePointer mousePointer() const override;
    void mousePointer(MousePointer pointer) override;
    void showModal(forms::Form& form) override;
    void showModeless(forms::Form& form) override;
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override;

    // From now on the modal dialog named FORMNAME is answered by ANSWER.
    void answerDialog(const std::string& formName, std::function<void(forms::Form&)> answer);

private:
    void print(const forms::Form& form);

    std::ostream& messages_;
    MousePointer pointer_ = MousePointer::Default;
    std::map<std::string, std::function<void(forms::Form&)>> answers_;
};

}  // namespace platform
