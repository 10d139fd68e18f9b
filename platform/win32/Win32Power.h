#pragma once
// Session, power and broadcast calls on the running Windows system. Windows NT refuses
// to restart, shut down or suspend a process that has not enabled the shutdown
// privilege in its token, so it is enabled before each such call.

#include "platform/Power.h"
#include "platform/SystemInfo.h"

namespace platform::win32impl {

class Win32Power : public Power {
  public:
    explicit Win32Power(SystemInfo& system) : system_(system) {}
    win32::BOOL ExitWindowsEx(win32::UINT uFlags, win32::DWORD dwReserved) override;
    win32::BOOL SetSystemPowerState(win32::BOOL fSuspend, win32::BOOL fForce) override;
    long SendMessageTimeoutA(win32::HWND hWnd, win32::UINT msg, std::uintptr_t wParam,
                             std::intptr_t lParam, win32::UINT fuFlags, win32::UINT uTimeout,
                             std::uintptr_t* lpdwResult) override;

  private:
    void allowShutdown();
    SystemInfo& system_;
};

}  // namespace platform::win32impl
