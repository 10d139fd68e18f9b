#pragma once
// Loading libraries into the process and finding their exported functions: the
// LoadLibraryA, GetProcAddress and FreeLibrary of Win32. Paths are the machine's Windows
// paths. The system's own text for the last failure of the calling thread is kept, so a
// caller can say why a library did not load (a missing file, a missing dependency, a
// library built for another system).

#include <string>

#include "platform/Win32Types.h"

namespace platform {

class Libraries {
  public:
    virtual ~Libraries() = default;

    // The loaded library at PATH (loading a library twice gives the same module and
    // needs two FreeLibrary calls); nullptr when it cannot be loaded.
    virtual win32::HMODULE LoadLibraryA(const std::string& path) = 0;
    // The function NAME the library exports; nullptr when there is none.
    virtual win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) = 0;
    virtual win32::BOOL FreeLibrary(win32::HMODULE module) = 0;
    // Why the calling thread's last failed call failed, as the system words it.
    virtual std::string lastLibraryError() = 0;
};

}  // namespace platform
