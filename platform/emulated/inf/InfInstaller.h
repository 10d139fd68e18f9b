#pragma once
// Windows' INF installer on the emulated machine: what "RunDll32.exe SetupApi.dll,
// InstallHinfSection SECTION MODE FILE" does. It reads the INF file, checks every
// directive the section uses before it changes anything, asks the CustomDestination
// questions, and then copies and deletes files, writes and deletes registry values,
// updates profile-string files, makes or removes program-group entries and runs the
// post-setup commands, noting each step in the machine's event log.
//
// Directives of an install section: CopyFiles, DelFiles, DelDirs, AddReg, DelReg, UpdateInis,
// ProfileItems, CustomDestination, RunPreSetupCommands, RunPostSetupCommands.
// A faulty INF (syntax, an unknown directive, a missing section, file or string) is
// reported with its file and line and leaves the machine unchanged.

#include <string>

#include "platform/emulated/EventLog.h"

namespace platform::emulated::inf {

class InfInstaller {
  public:
    explicit InfInstaller(EventLog& log) : log_(log) {}

    // Installs SECTION of the INF file INFPATH (a Windows path). Returns the process's
    // exit code: 0 when done, 1 when the INF is faulty, a step failed or the user
    // cancelled (a message has told why).
    int installHinfSection(const std::string& section, const std::string& infPath);

  private:
    EventLog& log_;
};

}  // namespace platform::emulated::inf
