#pragma once
// A user-interface service for tests: records every message, pointer change, dialog and
// file dialog, and answers as the test told it to (queued answers first, then the
// default answer). A queued dialog script operates a modal dialog's controls as a user
// would, for example ticking a box and pressing OK; a dialog the script leaves open (or
// one without a script) is closed by its window frame.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace testsupport {

struct ShownMessage {
    std::string text;
    platform::MsgBoxButtons buttons;
    platform::MsgBoxIcon icon;
    std::string caption;
};

using DialogScript = std::function<void(forms::Form&)>;

class ScriptedUserInterface : public platform::UserInterface {
public:
    ScriptedUserInterface() = default;
    // Forms still shown stop reporting to it.
    ~ScriptedUserInterface() override;
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;

    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override;
    platform::MousePointer mousePointer() const override;
    void mousePointer(platform::MousePointer pointer) override;
    void showModal(forms::Form& form) override;
    void showModeless(forms::Form& form) override;
    std::optional<std::string> fileDialog(const platform::FileDialogRequest& request) override;

    // Answers for the next message boxes, in order; afterwards the first button's answer
    // (OK, Abort, Yes or Retry) is given.
    void queueAnswer(platform::MsgBoxResult answer);
    // Scripts for the next modal dialogs, in order.
    void queueDialog(DialogScript script);
    // Answers for the next file dialogs, in order: a path, or nothing for Cancel.
    // Without one the dialog is cancelled.
    void queueFile(std::optional<std::string> path);

    const std::vector<ShownMessage>& messages() const;
    // The texts of the messages shown, in order.
    std::vector<std::string> messageTexts() const;
    // Every pointer set, in order.
    const std::vector<platform::MousePointer>& pointerHistory() const;
    // The names of the forms shown, modal or not, in order.
    const std::vector<std::string>& formsShown() const;
    int timesShown(const std::string& formName) const;
    // The forms shown without waiting and not unloaded (nor destroyed) since, in the
    // order shown.
    const std::vector<forms::Form*>& modelessForms() const;
    const std::vector<platform::FileDialogRequest>& fileRequests() const;
    // Forgets the queued answers and what was recorded; forms still open stay listed.
    void clear();

private:
    void forgetModeless(forms::Form& form);

    std::deque<platform::MsgBoxResult> answers_;
    std::deque<DialogScript> dialogScripts_;
    std::deque<std::optional<std::string>> files_;
    std::vector<ShownMessage> messages_;
    std::vector<platform::MousePointer> pointerHistory_;
    std::vector<std::string> formsShown_;
    std::vector<forms::Form*> modelessForms_;
    std::vector<platform::FileDialogRequest> fileRequests_;
    platform::MousePointer pointer_ = platform::MousePointer::Default;
};

// Scripts for the common dialog moves.
// Ticks (VALUE 1) or clears (0) the check box NAME.
DialogScript setCheck(const std::string& name, int value, DialogScript then = {});
// Selects the option button NAME.
DialogScript selectOption(const std::string& name, DialogScript then = {});
// Clicks the button NAME.
DialogScript press(const std::string& name);

}  // namespace testsupport
