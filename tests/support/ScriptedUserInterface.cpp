#include "tests/support/ScriptedUserInterface.h"

namespace testsupport {
platform::MsgBoxResult ScriptedUserInterface::messageBox(const std::string& text,
                                                         platform::MsgBoxButtons buttons,
                                                         platform::MsgBoxIcon icon,
                                                         const std::string& caption) {
    messages_.push_back({text, buttons, icon, caption});
    if (answers_.empty()) return platform::firstButtonAnswer(buttons);
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

platform::MousePointer ScriptedUserInterface::mousePointer() const { return pointer_; }

void ScriptedUserInterface::mousePointer(platform::MousePointer pointer) {
    pointer_ = pointer;
    pointerHistory_.push_back(pointer);
}

platform::NavigatorWarningOutcome ScriptedUserInterface::showNavigatorWarning() {
    ++navigatorWarnings_;
    if (warningOutcomes_.empty()) return platform::NavigatorWarningOutcome::ClosedOtherwise;
    auto outcome = warningOutcomes_.front();
    warningOutcomes_.pop_front();
    return outcome;
}

void ScriptedUserInterface::queueAnswer(platform::MsgBoxResult answer) {
    answers_.push_back(answer);
}

void ScriptedUserInterface::queueNavigatorWarning(platform::NavigatorWarningOutcome outcome) {
    warningOutcomes_.push_back(outcome);
}

const std::vector<ShownMessage>& ScriptedUserInterface::messages() const { return messages_; }

const std::vector<platform::MousePointer>& ScriptedUserInterface::pointerHistory() const {
    return pointerHistory_;
}

int ScriptedUserInterface::navigatorWarningsShown() const { return navigatorWarnings_; }

void ScriptedUserInterface::clear() {
    answers_.clear();
    warningOutcomes_.clear();
    messages_.clear();
    pointerHistory_.clear();
    navigatorWarnings_ = 0;
}

}  // namespace testsupport
