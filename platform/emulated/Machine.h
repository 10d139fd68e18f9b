#pragma once
// An emulated Windows machine: a folder holding the registry database (registry.db),
// the C: drive (drive_c/), the machine description (machine.ini) and the event log
// (events.log). Opening a machine gives the platform services that stand for it.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace platform::emulated {

class SqliteRegistry;
class ApplyLock;

// A machine folder that cannot be created or used; the text says why.
class MachineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What machine.ini says about the machine.
struct MachineDescription {
    std::string platform;  // "Windows 95", "Windows 98" or "Windows NT 4.0"
    win32::DWORD majorVersion = 0;
    win32::DWORD minorVersion = 0;
    win32::DWORD buildNumber = 0;
    win32::DWORD platformId = 0;
    std::string csdVersion;
    // Windows NT: whether the user who runs programs belongs to the Administrators group.
    bool userIsAdministrator = false;
    bool isNT() const { return platformId == win32::VER_PLATFORM_WIN32_NT; }
};

class Machine {
  public:
    // The names of the built-in templates ("win98", "nt4").
    static std::vector<std::string> templateNames();
    // ROAMWISE_MACHINE when set, otherwise $XDG_DATA_HOME/roamwise/machine
    // (~/.local/share/roamwise/machine).
    static std::filesystem::path defaultFolder();
    // Creates a machine from a built-in template; refuses (MachineError) when FOLDER
    // already holds a machine or the template is unknown.
    static std::unique_ptr<Machine> create(const std::filesystem::path& folder,
                                           const std::string& templateName);
    // Opens an existing machine; MachineError when FOLDER is not a usable machine.
    static std::unique_ptr<Machine> open(const std::filesystem::path& folder);
    // Opens the default machine. The per-user machine is created from "win98" on first
    // use; a folder named by ROAMWISE_MACHINE must already hold a machine, so that a
    // mistyped name is reported rather than answered with a fresh machine.
    static std::unique_ptr<Machine> openDefault();

    // Copies this machine into FOLDER, which must not exist yet, and opens the copy.
    // The registry is copied consistently even while other processes change it; what is
    // done to the copy leaves this machine as it was. MachineError on failure (nothing
    // is left behind then).
    std::unique_ptr<Machine> copyTo(const std::filesystem::path& folder) const;

    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    const std::filesystem::path& folder() const;
    const MachineDescription& description() const;
    std::filesystem::path driveC() const;
    std::filesystem::path eventLogFile() const;
    // The machine's own bookkeeping (apply lock, staged files, undo snapshots); never
    // part of a copy.
    std::filesystem::path stateFolder() const;
    // One apply at a time: held while a configuration is applied to this machine.
    ApplyLock& applyLock();

    // Every service of this machine; the user interface is left empty for the
    // program to fill in.
    Services services();
    // The registry service itself, for importing and exporting registry files.
    SqliteRegistry& registry();

  private:
    struct Impl;
    explicit Machine(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::emulated
