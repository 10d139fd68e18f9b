#pragma once
// Libraries on the emulated machine: a Windows path names a shared object through the
// machine's drive mapping, which the process's dynamic loader loads with every symbol
// resolved at once (a library missing a dependency fails here, not at its first call)
// and private to its caller.

#include "platform/FileSystem.h"
#include "platform/Libraries.h"

namespace platform::emulated {

class MachineLibraries : public Libraries {
  public:
    explicit MachineLibraries(FileSystem& files);

    win32::HMODULE LoadLibraryA(const std::string& path) override;
    win32::FARPROC GetProcAddress(win32::HMODULE module, const char* name) override;
    win32::BOOL FreeLibrary(win32::HMODULE module) override;
    std::string lastLibraryError() override;

  private:
    FileSystem& files_;
};

}  // namespace platform::emulated
