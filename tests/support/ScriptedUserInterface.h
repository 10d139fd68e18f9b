#pragma once
// A user-interface service for tests: records every message, pointer change and dialog,
// and answers as the test told it to (queued answers first, then the default answer).

#include <deque>
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

class ScriptedUserInterface : public platform::UserInterface {
public:
    platform::MsgBoxResult messageBox(const std::string& text, platform::MsgBoxButtons buttons,
                                      platform::MsgBoxIcon icon,
                                      const std::string& caption) override;
    platform::MousePointer mousePointer() const override;
    void mousePointer(platform::MousePointer pointer) override;
    platform::NavigatorWarningOutcome showNavigatorWarning() override;

    // Answers for the next message boxes, in order; afterwards the first button's answer
    // (OK, Abort, Yes or Retry) is given.
    void queueAnswer(platform::MsgBoxResult answer);
    void queueNavigatorWarning(platform::NavigatorWarningOutcome outcome);

    const std::vector<ShownMessage>& messages() const;
    // Every pointer set, in order.
    const std::vector<platform::MousePointer>& pointerHistory() const;
    int navigatorWarningsShown() const;
    void clear();

private:
    std::deque<platform::MsgBoxResult> answers_;
    std::deque<platform::NavigatorWarningOutcome> warningOutcomes_;
    std::vector<ShownMessage> messages_;
    std::vector<platform::MousePointer> pointerHistory_;
    platform::MousePointer pointer_ = platform::MousePointer::Default;
    int navigatorWarnings_ = 0;
};

}  // namespace testsupport
