#include "tray/qt/TrayTestControl.h"

#include <unistd.h>

#include <QAction>
#include <QMenu>
#include <cstdlib>
#include <iostream>

#include "platform/qt/QtNotificationArea.h"
#include "platform/qt/QtSessionEnd.h"

bool TrayTestControl::requested() {
    const char* value = std::getenv("ROAMWISE_TRAY_TEST_CONTROL");
    return value != nullptr && std::string(value) == "1";
}

TrayTestControl::TrayTestControl(platform::qt::QtNotificationArea& area,
                                 platform::qt::QtSessionEnd& session)
    : area_(area),
      session_(session),
      input_(std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read)) {
    QObject::connect(input_.get(), &QSocketNotifier::activated, [this] { readCommands(); });
}

void TrayTestControl::readCommands() {
    char buffer[512];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        input_->setEnabled(false);  // the test closed its end
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        const std::string command = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        std::cout << run(command) << std::endl;
    }
}

std::string TrayTestControl::run(const std::string& command) {
    if (command.rfind("icon ", 0) == 0) {
        const auto [window, id] = area_.firstIcon();
        const auto message = static_cast<win32::UINT>(std::atoi(command.c_str() + 5));
        return area_.raiseIconEvent(window, id, message) ? "ok " + command : "error no icon";
    }
    if (command.rfind("choose ", 0) == 0) {
        QMenu* menu = area_.openMenu();
        const QString name = QString::fromStdString(command.substr(7));
        QAction* action = menu == nullptr ? nullptr : menu->findChild<QAction*>(name);
        if (action == nullptr || !action->isEnabled()) return "error no item " + command.substr(7);
        menu->close();
        action->trigger();
        return "ok " + command;
    }
    if (command == "session") {
        const bool letEnd = session_.queryEndSession(platform::SessionEndReason::Logoff);
        return letEnd ? "ok session ends" : "ok session refused";
    }
    return "error unknown command " + command;
}
