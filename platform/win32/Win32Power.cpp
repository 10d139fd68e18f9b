#include "platform/win32/Win32Power.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {

void Win32Power::allowShutdown() {
    win32::OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
    if (!system_.GetVersionExA(&version) || version.dwPlatformId != win32::VER_PLATFORM_WIN32_NT) {
        return;  // Windows 95 and 98 have no privileges
    }
    // A token without the privilege makes the call below fail, which is its result.
    win32sys::enableShutdownPrivilege();
}

win32::BOOL Win32Power::ExitWindowsEx(win32::UINT uFlags, win32::DWORD dwReserved) {
    // Logging off needs no privilege.
    if ((uFlags & (win32::EWX_SHUTDOWN | win32::EWX_REBOOT | win32::EWX_POWEROFF)) != 0) {
        allowShutdown();
    }
    return win32sys::exitWindows(uFlags, dwReserved) ? 1 : 0;
}

win32::BOOL Win32Power::SetSystemPowerState(win32::BOOL fSuspend, win32::BOOL fForce) {
    allowShutdown();
    return win32sys::setSystemPowerState(fSuspend != 0, fForce != 0) ? 1 : 0;
}

long Win32Power::SendMessageTimeoutA(win32::HWND hWnd, win32::UINT msg, std::uintptr_t wParam,
                                     std::intptr_t lParam, win32::UINT fuFlags,
                                     win32::UINT uTimeout, std::uintptr_t* lpdwResult) {
    const std::uintptr_t window =
        hWnd == win32::HWND_BROADCAST ? win32sys::broadcastWindow() : std::uintptr_t{hWnd};
    return win32sys::sendMessageTimeout(window, msg, wParam, lParam, fuFlags, uTimeout,
                                        lpdwResult);
}

}  // namespace platform::win32impl
