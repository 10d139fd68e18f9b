#pragma once
// The taskbar's notification area: icons that programs add with Shell_NotifyIconA, and
// the mouse events on them, which reach the icon's window as its callback message with
// the icon's identifier as wParam and the mouse message (WM_RBUTTONUP, ...) as lParam.
// The tray utility is its only user; it also shows its icon's menu through it.

#include <functional>
#include <vector>

#include "platform/Win32Types.h"

namespace forms {
class MenuItem;
}

namespace platform {

// A window procedure: what a window does with a message sent or posted to it.
using WindowProcedure =
    std::function<void(win32::UINT uMsg, win32::WPARAM wParam, win32::LPARAM lParam)>;

class NotificationArea {
  public:
    virtual ~NotificationArea() = default;

    // Whether the desktop shows a notification area now. Right after logon it may not
    // have one yet.
    virtual bool available() = 0;

    // A window that receives messages through PROCEDURE, for the icons it owns; its
    // handle goes into their records. Destroying it removes its icons.
    virtual win32::HWND createMessageWindow(WindowProcedure procedure) = 0;
    virtual void destroyMessageWindow(win32::HWND hWnd) = 0;
    // The running program's own icon.
    virtual win32::HICON programIcon() = 0;

    // NIM_ADD, NIM_MODIFY or NIM_DELETE of the icon (hWnd, uID) of the record. Fails
    // (returns 0) for a record whose size is not NOTIFYICONDATAA_SIZE, for a window that
    // is not a message window, for adding an icon twice and for changing or deleting
    // one that is not there.
    virtual win32::BOOL Shell_NotifyIconA(win32::DWORD dwMessage,
                                          const win32::NOTIFYICONDATAA* lpData) = 0;

    // Shows MENU as a popup menu at the mouse pointer: its visible items, separators
    // included. Choosing one clicks it.
    virtual void popupMenu(forms::MenuItem& menu) = 0;
};

// What popupMenu shows of MENU: its visible items, in order.
std::vector<forms::MenuItem*> popupMenuItems(forms::MenuItem& menu);

}  // namespace platform
