#pragma once
// The program's version, shown in the main window's status bar and in the about box.

#include <string>

namespace appversion {

inline constexpr int kMajor = 2;
inline constexpr int kMinor = 1;
inline constexpr int kRevision = 0;

// Major, minor and revision joined by ".", e.g. "2.1.0".
inline std::string versionText() {
    return std::to_string(kMajor) + "." + std::to_string(kMinor) + "." + std::to_string(kRevision);
}

}  // namespace appversion
