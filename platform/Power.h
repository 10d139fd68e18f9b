#pragma once
// Session, power and broadcast functions. On the emulated machine they are recorded
// in the machine's event log instead of touching this computer.

#include "platform/Win32Types.h"

namespace platform {

class Power {
public:
    virtual ~Power() = default;

    virtual win32::BOOL ExitWindowsEx(win32::UINT uFlags, win32::DWORD dwReserved) = 0;
    virtual win32::BOOL SetSystemPowerState(win32::BOOL fSuspend, win32::BOOL fForce) = 0;
    // SendMessageTimeoutA as used for the WM_WININICHANGE broadcast.
    virtual long SendMessageTimeoutA(win32::HWND hWnd, win32::UINT msg, std::uintptr_t wParam,
                                     std::intptr_t lParam, win32::UINT fuFlags,
                                     win32::UINT uTimeout, std::uintptr_t* lpdwResult) = 0;
};

}  // namespace platform
