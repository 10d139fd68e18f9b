#pragma once
// Libraries on the running Windows system: LoadLibraryA and its companions, with the
// system's message for a failure.

#include "platform/Libraries.h"

namespace platform::win32impl {

class Win32Libraries : public Libraries {
  public:
    win32::HMODULE LoadLibraryA(const std::string& path) override;
    win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) override;
    win32::BOOL FreeLibrary(win32::HMODULE module) override;
    std::string lastLibraryError() override;
};

}  // namespace platform::win32impl
