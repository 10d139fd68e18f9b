#include "tests/support/ScriptedSessionEnd.h"

namespace testsupport {

bool ScriptedSessionEnd::endSession(platform::SessionEndReason reason) {
    if (!handler_) return true;
    ending_ = reason;
    bool letEnd = false;
    // A copy: the handler may replace itself (a window that closes lets go of it).
    const std::function<bool()> handler = handler_;
    try {
        letEnd = handler();
    } catch (...) {
        ending_ = platform::SessionEndReason::None;
        throw;
    }
    ending_ = platform::SessionEndReason::None;
    return letEnd;
}

}  // namespace testsupport
