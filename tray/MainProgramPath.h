#pragma once
// Where the tray utility finds the main program Rmw.exe: the path its App Paths entry
// names, else Rmw.exe beside the utility, else Program Files\Roamwise\Rmw.exe on the
// Windows drive.

#include <string>

class clsEasyRegistry;

// The App Paths entry of the main program, as setup writes it.
inline constexpr const char* kMainProgramAppPathsKey =
    "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\rmw.exe";

// The main program's full Windows path, or "" when it was not found. The App Paths
// entry is taken as it stands, even when no file is there: it is the machine's own
// statement of where the program lives. REGISTRY must have errors suppressed.
std::string findMainProgram(clsEasyRegistry& registry);
