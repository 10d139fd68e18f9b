#include "platform/console/ConsoleUserInterface.h"

#include <ostream>

namespace platform {
ConsoleUserInterface::ConsoleUserInterface(std::ostream& messages) : messages_(messages) {}

MsgBoxResult ConsoleUserInterface::messageBox(const std::string& text, MsgBoxButtons buttons,
                                              MsgBoxIcon, const std::string& caption) {
    messages_ << (caption.empty() ? std::string() : caption + ": ") << text << "\n";
    return firstButtonAnswer(buttons);
}

MousePointer ConsoleUserInterface::mousePointer() const { return pointer_; }

void ConsoleUserInterface::mousePointer(MousePointer pointer) { pointer_ = pointer; }

NavigatorWarningOutcome ConsoleUserInterface::showNavigatorWarning() {
    messages_ << "Warning...: Your Netscape Navigator preference file could not be located. "
                 "Check your default user profile.\n";
    return NavigatorWarningOutcome::ClosedOtherwise;
}

}  // namespace platform
