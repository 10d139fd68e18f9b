#pragma once
// Files and folders named after the process that made them ("<prefix><pid>-..."), so
// that what a killed process left behind can be told apart from what a running one
// still uses, and removed the next time the place is used.

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace platform::emulated {

// False only when no process PID exists any more.
bool processIsAlive(pid_t pid);

// PREFIX followed by this process's id and a dash.
std::string ownedName(const std::string& prefix);

// Removes every entry of FOLDER whose name is PREFIX, a process id and a dash, when that
// process has ended. Errors are ignored: a leftover that stays is removed next time.
void removeDeadProcessFiles(const std::filesystem::path& folder, const std::string& prefix);

}  // namespace platform::emulated
