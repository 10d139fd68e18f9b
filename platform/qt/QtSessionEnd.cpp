#include "platform/qt/QtSessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace platform::qt {

QtSessionEnd::QtSessionEnd(QGuiApplication& application) {
    QObject::connect(&application, &QGuiApplication::commitDataRequest,
                     [this](QSessionManager& manager) { commitDataRequest(manager); });
}

void QtSessionEnd::onQueryEndSession(std::function<bool()> handler) {
    handler_ = std::move(handler);
}

bool QtSessionEnd::queryEndSession(SessionEndReason reason) {
    if (!handler_) return true;
    ending_ = reason;
    struct Reset {
        SessionEndReason& reason;
        ~Reset() { reason = SessionEndReason::None; }
    } reset{ending_};
    // A copy: the handler may replace itself (a window that closes lets go of it).
    const std::function<bool()> handler = handler_;
    return handler();
}

// The session manager does not say whether the machine goes down or only the user
// leaves; both end the session, and the program treats them alike. A program that may
// not interact cannot ask anything and lets the session end (its windows close when
// the application quits).
void QtSessionEnd::commitDataRequest(QSessionManager& manager) {
    if (!handler_ || !manager.allowsInteraction()) return;
    const bool letEnd = queryEndSession(SessionEndReason::Logoff);
    if (!letEnd) manager.cancel();
    manager.release();
}

}  // namespace platform::qt
