#pragma once
// The user-interface service through which core code shows messages, asks questions,
// sets the mouse pointer and opens its few small dialogs. The windows implement it
// with Qt, rmwctl with the console, the tests with a scripted fake.

#include <string>

namespace platform {

enum class MsgBoxButtons { OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgBoxIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgBoxResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
enum class MousePointer { Default = 0, Hourglass = 11 };

// The answer of a message box's first button: what pressing Enter gives.
inline MsgBoxResult firstButtonAnswer(MsgBoxButtons buttons) {
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

// How the Navigator warning dialog was closed.
enum class NavigatorWarningOutcome { OkTicked, OkUnticked, ClosedOtherwise };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MsgBoxResult messageBox(const std::string& text, MsgBoxButtons buttons,
                                    MsgBoxIcon icon, const std::string& caption) = 0;

    virtual MousePointer mousePointer() const = 0;
    virtual void mousePointer(MousePointer pointer) = 0;

    // "Your Netscape Navigator preference file could not be located..." with its
    // "&Do not display this warning again" box.
    virtual NavigatorWarningOutcome showNavigatorWarning() = 0;
};

// Shows the hourglass for its lifetime and puts the previous pointer back.
class BusyPointer {
public:
    explicit BusyPointer(UserInterface& ui) : ui_(ui), saved_(ui.mousePointer()) {
        ui_.mousePointer(MousePointer::Hourglass);
    }
    ~BusyPointer() { ui_.mousePointer(saved_); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    UserInterface& ui_;
    MousePointer saved_;
};

}  // namespace platform
