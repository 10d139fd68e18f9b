#include "platform/console/ConsoleUserInterface.h"

#include <ostream>

#include "platform/AsciiText.h"

#include "platform/forms/Form.h"
#include "platform/forms/StaticControls.h"

namespace platform {
ConsoleUserInterface::ConsoleUserInterface(std::ostream& messages) : messages_(messages) {}

MsgBoxResult ConsoleUserInterface::messageBox(const std::string& text, MsgBoxButtons buttons,
                                              MsgBoxIcon, const std::string& caption) {
    messages_ << (caption.empty() ? std::string() : caption + ": ") << lineBreaks(text) << "\n";
    return firstButtonAnswer(buttons);
}

MousePointer ConsoleUserInterface::mousePointer() const { return pointer_; }

void ConsoleUserInterface::mousePointer(MousePointer pointer) { pointer_ = pointer; }

void ConsoleUserInterface::showModal(forms::Form& form) {
    auto answer = answers_.find(form.Name());
    if (answer != answers_.end()) {
        answer->second(form);
        return;
    }
    print(form);
}

void ConsoleUserInterface::showModeless(forms::Form& form) { print(form); }

std::optional<std::string> ConsoleUserInterface::fileDialog(const FileDialogRequest&) {
    return std::nullopt;
}

void ConsoleUserInterface::answerDialog(const std::string& formName,
                                        std::function<void(forms::Form&)> answer) {
    answers_[formName] = std::move(answer);
}

// The dialog's caption, then the texts of its labels: what a reader needs of a dialog
// nobody can operate.
void ConsoleUserInterface::print(const forms::Form& form) {
    messages_ << form.Caption() << ":";
    for (const forms::Control* control : form.controls()) {
        if (dynamic_cast<const forms::Label*>(control) != nullptr && control->Visible())
            messages_ << " " << control->Caption();
    }
    messages_ << "\n";
}

}  // namespace platform
