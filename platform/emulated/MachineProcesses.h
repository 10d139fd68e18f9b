#pragma once
// Programs started on the emulated machine and waited for. The machine's own Windows
// programs run inside this process: RunDll32.exe (and RunDll.exe with SetupX.dll when
// the system folder holds it) with InstallHinfSection is the INF installer, and Notepad
// opens its document with the desktop's handler. Any other command names a program
// file of the machine (or of this computer), which is started for real.
// Every start is noted in the machine's event log.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/emulated/EventLog.h"

namespace platform::emulated {

class MachineProcesses : public Processes {
  public:
    MachineProcesses(FileSystem& files, Shell& shell, EventLog& log);
    ~MachineProcesses() override;

    win32::BOOL CreateProcessA(const std::string& commandLine, win32::DWORD creationFlags,
                               const std::string& currentDirectory, win32::WORD showWindow,
                               win32::PROCESS_INFORMATION* info) override;
    win32::DWORD WaitForSingleObject(win32::HANDLE handle, win32::DWORD milliseconds) override;
    win32::BOOL GetExitCodeProcess(win32::HANDLE handle, win32::DWORD* exitCode) override;
    win32::BOOL CloseHandle(win32::HANDLE handle) override;

    // The words of a Windows command line: blanks separate them, double quotes group.
    static std::vector<std::string> splitCommandLine(const std::string& commandLine);

  private:
    struct Process {
        int pid = 0;  // 0: ran inside this process
        bool ended = false;
        win32::DWORD exitCode = win32::STILL_ACTIVE;
    };
    // The exit code of a built-in program, or nothing when PROGRAM is none.
    std::optional<int> runBuiltIn(const std::vector<std::string>& words, const std::string& commandLine);
    bool collect(Process& process, bool wait);

    FileSystem& files_;
    Shell& shell_;
    EventLog& log_;
    std::map<win32::HANDLE, Process> processes_;
    win32::HANDLE nextHandle_ = 0x100;
};

}  // namespace platform::emulated
