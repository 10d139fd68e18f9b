#pragma once
// A notification area for tests: records every Shell_NotifyIconA call with the fields of
// its record, keeps the icons shown, raises mouse events on them as the icon's callback
// message, and records the popup menus shown (clicking an item a test chose).

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/NotificationArea.h"

namespace testsupport {

struct NotifyIconCall {
    win32::DWORD message = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
    win32::NOTIFYICONDATAA record;
    win32::BOOL result = 0;

    std::string tip() const;  // the tip field up to its NUL
};

struct ShownMenu {
    std::string menu;  // the name of the menu shown
    // The items shown, by name and caption ("-" for separators), with their state.
    struct Item {
        std::string name, caption;
        bool enabled = true;
    };
    std::vector<Item> items;
    std::vector<std::string> captions() const;
};

class RecordingNotificationArea : public platform::NotificationArea {
  public:
    static constexpr win32::HICON kProgramIcon = 0x1C0;

    bool available() override { return isAvailable; }
    win32::HWND createMessageWindow(platform::WindowProcedure procedure) override;
    void destroyMessageWindow(win32::HWND hWnd) override;
    win32::HICON programIcon() override { return kProgramIcon; }
    win32::BOOL Shell_NotifyIconA(win32::DWORD dwMessage,
                                  const win32::NOTIFYICONDATAA* lpData) override;
    void popupMenu(forms::MenuItem& menu) override;

    // Raises MOUSEMESSAGE (WM_RBUTTONUP, ...) on the icon shown (the only one, or the one
    // with identifier UID): its window gets the record's callback message. False when no
    // such icon is shown.
    bool raiseIconEvent(win32::UINT mouseMessage, std::optional<win32::UINT> uID = {});
    // The next popup menu clicks the item NAME (as a user would: a disabled one ignores
    // it); without a queued choice the menu is dismissed.
    void queueMenuChoice(std::string itemName);

    // The icons shown now, by window and identifier.
    const std::map<std::pair<win32::HWND, win32::UINT>, win32::NOTIFYICONDATAA>& icons() const {
        return icons_;
    }
    const std::vector<NotifyIconCall>& calls() const { return calls_; }
    const std::vector<ShownMenu>& menusShown() const { return menus_; }
    int windowCount() const { return static_cast<int>(windows_.size()); }

    bool isAvailable = true;

  private:
    std::map<win32::HWND, platform::WindowProcedure> windows_;
    std::map<std::pair<win32::HWND, win32::UINT>, win32::NOTIFYICONDATAA> icons_;
    std::vector<NotifyIconCall> calls_;
    std::vector<ShownMenu> menus_;
    std::deque<std::string> menuChoices_;
    win32::HWND nextWindow_ = 0x100;
};

}  // namespace testsupport
