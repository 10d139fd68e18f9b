#include "tray/TrayIcon.h"

#include <algorithm>

#include "platform/Win32.h"

TrayIcon::TrayIcon(win32::HWND hWnd, win32::HICON icon, const std::string& tip) {
    record_.cbSize = win32::NOTIFYICONDATAA_SIZE;
    record_.hWnd = hWnd;
    record_.uID = kIconId;
    record_.uFlags = win32::NIF_MESSAGE | win32::NIF_ICON | win32::NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = icon;
    const std::size_t length = std::min(tip.size(), sizeof record_.szTip - 1);
    std::copy_n(tip.begin(), length, record_.szTip);
    record_.szTip[length] = '\0';
}

bool TrayIcon::add() {
    shown_ = win32::Shell_NotifyIconA(win32::NIM_ADD, &record_) != 0;
    return shown_;
}

void TrayIcon::remove() {
    if (!shown_) return;
    win32::Shell_NotifyIconA(win32::NIM_DELETE, &record_);
    shown_ = false;
}
