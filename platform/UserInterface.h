#pragma once
// The user-interface service through which core code shows messages, asks questions,
// sets the mouse pointer and opens its few small dialogs. The windows implement it
// with Qt, rmwctl with the console, the tests with a scripted fake.

#include <optional>
#include <string>

namespace forms {
class Form;
}

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

// What a common open or save dialog is asked to show. FILTER pairs descriptions and
// patterns with "|", as in "Roamwise Files (*.rmw)|*.rmw|All Files (*.*)|*.*".
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;
    std::string filter;
    std::string initialFolder;  // a Windows path
    std::string fileName;       // preset name
    bool fileMustExist = false;
    bool promptToOverwrite = false;
    bool hideReadOnly = false;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MsgBoxResult messageBox(const std::string& text, MsgBoxButtons buttons,
                                    MsgBoxIcon icon, const std::string& caption) = 0;

    virtual MousePointer mousePointer() const = 0;
    virtual void mousePointer(MousePointer pointer) = 0;

    // Shows FORM (already loaded) modally and returns once it is closed: the user operates
    // its controls until one of them unloads the form or the window frame closes it.
    virtual void showModal(forms::Form& form) = 0;
    // Shows FORM (already loaded) and returns at once; its owner keeps it alive.
    virtual void showModeless(forms::Form& form) = 0;

    // The common open or save dialog: the chosen path (a Windows path), or nothing when
    // the user cancels.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
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
