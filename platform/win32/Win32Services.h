#pragma once
// The platform services of the running Windows system, over the real ANSI Win32 API:
// the registry, profile-string files (win.ini and its [windows] section as Windows
// itself keeps them), the version and folders, the spooler's printers, the session and
// power calls, and the shell. A program's entry point opens them once instead of an
// emulated machine.

#include <memory>

#include "platform/Services.h"

namespace platform::win32impl {

class Win32Registry;

class Win32System {
  public:
    Win32System();
    ~Win32System();
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    // Every service; the user interface is left empty for the program to fill in.
    Services services();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace platform::win32impl
