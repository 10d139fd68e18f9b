#include "tools/rmwctl/WatchedConsole.h"

#include <algorithm>

#include "platform/forms/Form.h"

namespace rmwctl {

platform::MsgBoxResult WatchedConsole::messageBox(const std::string& text,
                                                  platform::MsgBoxButtons buttons,
                                                  platform::MsgBoxIcon icon,
                                                  const std::string& caption) {
    messages_.push_back({text, icon});
    return console_.messageBox(text, buttons, icon, caption);
}

platform::MousePointer WatchedConsole::mousePointer() const {
    return console_.mousePointer();
}

void WatchedConsole::mousePointer(platform::MousePointer pointer) {
    console_.mousePointer(pointer);
}

void WatchedConsole::showModal(forms::Form& form) {
    dialogs_.push_back(form.Name());
    console_.showModal(form);
}

void WatchedConsole::showModeless(forms::Form& form) {
    console_.showModeless(form);
}

std::optional<std::string> WatchedConsole::fileDialog(const platform::FileDialogRequest& request) {
    return console_.fileDialog(request);
}

bool WatchedConsole::showedMessage(const std::string& text) const {
    return std::any_of(messages_.begin(), messages_.end(),
                       [&](const Message& message) { return message.text == text; });
}

bool WatchedConsole::showedMessageStartingWith(const std::string& start) const {
    return std::any_of(messages_.begin(), messages_.end(), [&](const Message& message) {
        return message.text.compare(0, start.size(), start) == 0;
    });
}

std::vector<std::string> WatchedConsole::errors() const {
    std::vector<std::string> texts;
    for (const Message& message : messages_) {
        if (message.icon == platform::MsgBoxIcon::Exclamation ||
            message.icon == platform::MsgBoxIcon::Critical) {
            texts.push_back(message.text);
        }
    }
    return texts;
}

bool WatchedConsole::showedDialog(const std::string& name) const {
    return std::find(dialogs_.begin(), dialogs_.end(), name) != dialogs_.end();
}

}  // namespace rmwctl
