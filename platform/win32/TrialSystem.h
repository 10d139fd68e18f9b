#pragma once
// A trial copy of the running Windows system, kept in memory and in a temporary folder:
// the registry, win.ini and the files written through the services change only in the
// trial; restarts, suspends, broadcasts and program starts are not carried out. What an
// apply would do can be tried on it, and the system stays as it was.

#include <filesystem>
#include <memory>

#include "platform/Services.h"

namespace platform::win32impl {

class Win32System;

class TrialSystem {
  public:
    // SYSTEM is only read and must outlive the trial; SCRATCH is an empty folder for
    // the trial's copies of files, left for the caller to remove.
    TrialSystem(Win32System& system, const std::filesystem::path& scratch);
    ~TrialSystem();
    TrialSystem(const TrialSystem&) = delete;
    TrialSystem& operator=(const TrialSystem&) = delete;

    // Every service of the trial; the user interface is left empty.
    Services services();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace platform::win32impl
