#pragma once
// Starting a program and waiting for it, as CreateProcessA, WaitForSingleObject and
// GetExitCodeProcess do. Process handles are small numbers of this service; they stay
// valid until closed.

#include <string>

#include "platform/Win32Types.h"

namespace platform {

class Processes {
  public:
    virtual ~Processes() = default;

    // Starts COMMANDLINE (the program, then its arguments, as one text; no application
    // name) in CURRENTDIRECTORY (a Windows path; "" keeps the caller's) with the window
    // shown as SHOWWINDOW. Fills INFO and returns nonzero when the program started.
    virtual win32::BOOL CreateProcessA(const std::string& commandLine, win32::DWORD creationFlags,
                                       const std::string& currentDirectory,
                                       win32::WORD showWindow,
                                       win32::PROCESS_INFORMATION* info) = 0;
    // WAIT_OBJECT_0 once the process has ended, WAIT_TIMEOUT when MILLISECONDS passed
    // first, WAIT_FAILED for a handle that is no process.
    virtual win32::DWORD WaitForSingleObject(win32::HANDLE handle, win32::DWORD milliseconds) = 0;
    // The exit code, or STILL_ACTIVE while the process runs.
    virtual win32::BOOL GetExitCodeProcess(win32::HANDLE handle, win32::DWORD* exitCode) = 0;
    virtual win32::BOOL CloseHandle(win32::HANDLE handle) = 0;
};

}  // namespace platform
