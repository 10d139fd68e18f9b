#pragma once
// The tray utility's icon in the notification area: its record, kept from adding the
// icon to removing it, so that the removal names the icon exactly as it was added.

#include <string>

#include "platform/Win32Types.h"

class TrayIcon {
  public:
    static constexpr win32::UINT kIconId = 1;
    // The icon's mouse events arrive as the window's own mouse-move message.
    static constexpr win32::UINT kCallbackMessage = win32::WM_MOUSEMOVE;

    // The record for the icon ICON of window HWND with the tool tip TIP (cut to what the
    // 64-character field holds with its NUL).
    TrayIcon(win32::HWND hWnd, win32::HICON icon, const std::string& tip);

    // NIM_ADD; false when the notification area refused the icon.
    bool add();
    // NIM_DELETE with the same record, when the icon was added.
    void remove();
    bool shown() const { return shown_; }
    const win32::NOTIFYICONDATAA& record() const { return record_; }

  private:
    win32::NOTIFYICONDATAA record_;
    bool shown_ = false;
};
