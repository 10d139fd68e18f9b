#include "tests/support/ScriptedSessionEnd.h"

namespace testsupport {

bool ScriptedSessionEnd::endSession(platform::SessionEndReason reason) {
    if (!handler_) return true;
    ending_ = reason;
    bool letEnd = false;
    try {
        letEnd = handler_();
    } catch (...) {
        ending_ = platform::SessionEndReason::None;
        throw;
    }
    ending_ = platform::SessionEndReason::None;
    return letEnd;
}

}  // namespace testsupport
