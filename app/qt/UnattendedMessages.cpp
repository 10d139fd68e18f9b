#include "app/qt/UnattendedMessages.h"

#include <ostream>

#include "platform/AsciiText.h"

namespace rmwqt {

UnattendedMessages::UnattendedMessages(platform::UserInterface& shown, std::ostream& log)
    : shown_(shown), log_(log) {}

platform::MsgBoxResult UnattendedMessages::messageBox(const std::string& text,
                                                      platform::MsgBoxButtons buttons,
                                                      platform::MsgBoxIcon,
                                                      const std::string& caption) {
    log_ << caption << ": " << platform::lineBreaks(text) << "\n";
    return platform::firstButtonAnswer(buttons);
}

platform::MousePointer UnattendedMessages::mousePointer() const { return shown_.mousePointer(); }
void UnattendedMessages::mousePointer(platform::MousePointer pointer) { shown_.mousePointer(pointer); }
void UnattendedMessages::showModal(forms::Form& form) { shown_.showModal(form); }
void UnattendedMessages::showModeless(forms::Form& form) { shown_.showModeless(form); }

// Nobody can choose a file: the dialog is cancelled.
std::optional<std::string> UnattendedMessages::fileDialog(const platform::FileDialogRequest&) {
    return std::nullopt;
}

}  // namespace rmwqt
