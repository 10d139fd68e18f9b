#include "platform/console/ConsoleUserInterface.h"

#include <ostream>

namespace platform {
namespace {

MsgBoxResult defaultAnswer(MsgBoxButtons buttons) {
    switch (buttons) {
        case MsgBoxButtons::AbortRetryIgnore:
            return MsgBoxResult::Abort;
        case MsgBoxButtons::YesNoCancel:
        case MsgBoxButtons::YesNo:
            return MsgBoxResult::Yes;
        case MsgBoxButtons::RetryCancel:
            return MsgBoxResult::Retry;
        case MsgBoxButtons::OKOnly:
        case MsgBoxButtons::OKCancel:
            break;
    }
    return MsgBoxResult::OK;
}

}  // namespace

ConsoleUserInterface::ConsoleUserInterface(std::ostream& messages) : messages_(messages) {}

MsgBoxResult ConsoleUserInterface::messageBox(const std::string& text, MsgBoxButtons buttons,
                                              MsgBoxIcon, const std::string& caption) {
    messages_ << (caption.empty() ? std::string() : caption + ": ") << text << "\n";
    return defaultAnswer(buttons);
}

MousePointer ConsoleUserInterface::mousePointer() const { return pointer_; }

void ConsoleUserInterface::mousePointer(MousePointer pointer) { pointer_ = pointer; }

NavigatorWarningOutcome ConsoleUserInterface::showNavigatorWarning() {
    messages_ << "Warning...: Your Netscape Navigator preference file could not be located. "
                 "Check your default user profile.\n";
    return NavigatorWarningOutcome::ClosedOtherwise;
}

}  // namespace platform
