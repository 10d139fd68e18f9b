#pragma once
// The user-interface service of command-line programs: messages go to standard error,
// questions get their default answer (the first button: OK, Abort, Yes or Retry), the
// mouse pointer is remembered but nothing is drawn, and the Navigator warning is shown
// as text and closed without ticking its box.

#include <iosfwd>

#include "platform/UserInterface.h"

namespace platform {

class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& messages);
    MsgBoxResult messageBox(const std::string& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                            const std::string& caption) override;
    MousePointer mousePointer() const override;
    void mousePointer(MousePointer pointer) override;
    NavigatorWarningOutcome showNavigatorWarning() override;

private:
    std::ostream& messages_;
    MousePointer pointer_ = MousePointer::Default;
};

}  // namespace platform
