#pragma once
// Test-only: when ROAMWISE_TRAY_TEST_CONTROL is "1", the utility reads commands from its
// standard input, one a line, and acts as the desktop would on its icon:
//   icon 515              a mouse event (here a double click) on the icon
//   icon 517              a right click: the icon's menu opens
//   choose NAME           chooses the item NAME (mnuFileRecent(2), ...) of the open menu
//   session               the session asks to end
// Each command answers one line on standard output ("ok ..." or "error ...").

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace platform::qt {
class QtNotificationArea;
class QtSessionEnd;
}  // namespace platform::qt

class TrayTestControl {
  public:
    static bool requested();

    TrayTestControl(platform::qt::QtNotificationArea& area, platform::qt::QtSessionEnd& session);

  private:
    void readCommands();
    std::string run(const std::string& command);

    platform::qt::QtNotificationArea& area_;
    platform::qt::QtSessionEnd& session_;
    std::unique_ptr<QSocketNotifier> input_;
    std::string pending_;
};
