#pragma once
// The end of the desktop session through Qt's session management: when the session
// manager asks the program to save its state before the session ends
// (QGuiApplication::commitDataRequest), the program's handler is asked, and refusing
// cancels the logout where the session lets the program interact.

#include <functional>

#include "platform/SessionEnd.h"

class QGuiApplication;
class QSessionManager;

namespace platform::qt {

class QtSessionEnd : public SessionEnd {
  public:
    explicit QtSessionEnd(QGuiApplication& application);

    void onQueryEndSession(std::function<bool()> handler) override;
    SessionEndReason ending() const override { return ending_; }

    // Asks the handler as the session manager's request does; true when the program
    // lets the session end.
    bool queryEndSession(SessionEndReason reason);

  private:
    void commitDataRequest(QSessionManager& manager);

    std::function<bool()> handler_;
    SessionEndReason ending_ = SessionEndReason::None;
};

}  // namespace platform::qt
