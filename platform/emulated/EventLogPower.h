#pragma once
// Session, power and broadcast requests of the emulated machine: recorded in the
// machine's event log instead of touching this computer. Each succeeds when it could
// be recorded.

#include "platform/Power.h"
#include "platform/emulated/EventLog.h"

namespace platform::emulated {

class EventLogPower : public Power {
  public:
    explicit EventLogPower(EventLog& log) : log_(log) {}

    win32::BOOL ExitWindowsEx(win32::UINT uFlags, win32::DWORD dwReserved) override;
    win32::BOOL SetSystemPowerState(win32::BOOL fSuspend, win32::BOOL fForce) override;
    long SendMessageTimeoutA(win32::HWND hWnd, win32::UINT msg, std::uintptr_t wParam,
                             std::intptr_t lParam, win32::UINT fuFlags, win32::UINT uTimeout,
                             std::uintptr_t* lpdwResult) override;

  private:
    EventLog& log_;
};

}  // namespace platform::emulated
