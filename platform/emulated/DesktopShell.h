#pragma once
// Starting programs and opening documents on this computer's desktop. Programs are
// really started (and never waited for); documents open with the desktop's default
// handler. Both are also noted in the machine's event log.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/emulated/EventLog.h"

namespace platform::emulated {

class DesktopShell : public Shell {
  public:
    // ShellExecuteA's results.
    static constexpr long kFileNotFound = 2;
    static constexpr long kNoAssociation = 31;
    static constexpr long kStarted = 42;

    // OPENER is the command that opens a document given as its last argument.
    DesktopShell(FileSystem& files, EventLog& log, std::vector<std::string> opener = {"xdg-open"});

    // Opens (verb "" or "open"; "explore" for folders) FILE with the opener, without
    // waiting. kFileNotFound when FILE does not exist, kNoAssociation for other verbs
    // or when the opener cannot be started.
    long ShellExecuteA(const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override;

  private:
    bool spawnDetached(const std::vector<std::string>& command,
                       const std::filesystem::path& workingFolder);

    FileSystem& files_;
    EventLog& log_;
    std::vector<std::string> opener_;
};

}  // namespace platform::emulated
