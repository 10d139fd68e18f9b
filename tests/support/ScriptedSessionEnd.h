#pragma once
// The session's end for tests: a test ends the session (as Windows shutting down or
// logging off) and sees whether the program let it end.

#include <functional>

#include "platform/SessionEnd.h"

namespace testsupport {

class ScriptedSessionEnd : public platform::SessionEnd {
  public:
    void onQueryEndSession(std::function<bool()> handler) override {
        handler_ = std::move(handler);
    }
    platform::SessionEndReason ending() const override { return ending_; }

    // Asks the program as Windows does before ending the session for REASON; true when
    // it lets the session end.
    bool endSession(platform::SessionEndReason reason);

  private:
    std::function<bool()> handler_;
    platform::SessionEndReason ending_ = platform::SessionEndReason::None;
};

}  // namespace testsupport
