#include "tray/qt/NotificationAreaWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr std::chrono::milliseconds kPollInterval{250};

}  // namespace

bool waitForNotificationArea(platform::NotificationArea& area, std::chrono::milliseconds limit) {
    QElapsedTimer waited;
    waited.start();
    while (!area.available()) {
        if (std::chrono::milliseconds(waited.elapsed()) >= limit) return false;
        // The desktop announces its area through events this process must receive.
        QEventLoop loop;
        QTimer::singleShot(kPollInterval, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
