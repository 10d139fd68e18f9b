#include "platform/emulated/EventLogPower.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/AsciiText.h"

namespace platform::emulated {

using namespace win32;

namespace {

std::string hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

// FLAGS as the names of their bits joined by "|"; unknown bits in hexadecimal, and
// NONE when no bit is set.
std::string flagNames(UINT flags, std::initializer_list<std::pair<UINT, const char*>> bits,
                      const char* none) {
    std::string names;
    for (const auto& [bit, name] : bits) {
        if ((flags & bit) == 0) continue;
        if (!names.empty()) names += '|';
        names += name;
        flags &= ~bit;
    }
    if (flags != 0) {
        if (!names.empty()) names += '|';
        names += hex(flags);
    }
    return names.empty() ? none : names;
}

const char* boolName(BOOL value) {
    return value ? "TRUE" : "FALSE";
}

std::string windowName(HWND window) {
    return window == HWND_BROADCAST ? "HWND_BROADCAST" : concat({"hwnd=", hex(window)});
}

std::string messageName(UINT message) {
    return message == WM_WININICHANGE ? "WM_WININICHANGE" : concat({"msg=", hex(message)});
}

}  // namespace

BOOL EventLogPower::ExitWindowsEx(UINT uFlags, DWORD dwReserved) {
    const std::string flags = flagNames(uFlags,
                                        {{EWX_SHUTDOWN, "EWX_SHUTDOWN"},
                                         {EWX_REBOOT, "EWX_REBOOT"},
                                         {EWX_FORCE, "EWX_FORCE"},
                                         {EWX_POWEROFF, "EWX_POWEROFF"}},
                                        "EWX_LOGOFF");
    return log_.record(concat({"ExitWindowsEx ", flags, " reserved=", std::to_string(dwReserved)}));
}

BOOL EventLogPower::SetSystemPowerState(BOOL fSuspend, BOOL fForce) {
    return log_.record(
        concat({"SetSystemPowerState suspend=", boolName(fSuspend), " force=", boolName(fForce)}));
}

long EventLogPower::SendMessageTimeoutA(HWND hWnd, UINT msg, std::uintptr_t wParam,
                                        std::intptr_t lParam, UINT fuFlags, UINT uTimeout,
                                        std::uintptr_t* lpdwResult) {
    constexpr UINT kBlock = 0x0001, kAbortIfHung = 0x0002, kNoTimeoutIfNotHung = 0x0008;
    const std::string flags = flagNames(fuFlags,
                                        {{kBlock, "SMTO_BLOCK"},
                                         {kAbortIfHung, "SMTO_ABORTIFHUNG"},
                                         {kNoTimeoutIfNotHung, "SMTO_NOTIMEOUTIFNOTHUNG"}},
                                        "SMTO_NORMAL");
    if (lpdwResult != nullptr) *lpdwResult = 0;
    return log_.record(
               concat({"SendMessageTimeoutA ", windowName(hWnd), " ", messageName(msg),
                       " wParam=", std::to_string(wParam), " lParam=", std::to_string(lParam), " ",
                       flags, " timeout=", std::to_string(uTimeout)}))
               ? 1
               : 0;
}

}  // namespace platform::emulated
