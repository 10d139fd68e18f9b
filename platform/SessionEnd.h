#pragma once
// The end of the user's session: Windows shutting down or the user logging off. Before
// it ends the session Windows asks every program (WM_QUERYENDSESSION); a program may
// refuse, which stops the shutdown or logoff where the session lets programs do so.

#include <functional>

namespace platform {

enum class SessionEndReason { None, Shutdown, Logoff };

class SessionEnd {
  public:
    virtual ~SessionEnd() = default;

    // HANDLER is asked when the session is about to end and returns false to refuse.
    // Without a handler the program lets every end happen. A later call replaces it.
    virtual void onQueryEndSession(std::function<bool()> handler) = 0;

    // Why the session is ending while the handler runs; None at any other time, so a
    // window asked to close can tell the session's end from a close of its own.
    virtual SessionEndReason ending() const = 0;
};

}  // namespace platform
