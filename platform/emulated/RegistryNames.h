#pragma once
// Names in the registry: the predefined roots and their handles, case folding (ASCII
// letters only, as the registry compares names) and the splitting of key paths.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"

namespace platform::emulated {

struct RegistryRoot {
    win32::HKEY handle;
    const char* name;       // "HKEY_LOCAL_MACHINE"
    const char* shortName;  // "HKLM"
};

// The six predefined roots the registry keeps.
const std::vector<RegistryRoot>& registryRoots();
std::optional<RegistryRoot> rootByHandle(win32::HKEY handle);
// Accepts the full name and the short form, without regard to case.
std::optional<RegistryRoot> rootByName(std::string_view name);

// NAME with ASCII letters upper-cased: the form in which names are compared.
std::string foldName(std::string_view name);

// The longest key name (one component of a path) the registry functions create.
constexpr std::size_t kLongestKeyName = 255;
// The most levels a key may lie below its root, as on Windows.
constexpr std::size_t kDeepestKey = 512;

// The components of a key path between backslashes; empty components (doubled or
// trailing backslashes) are dropped.
std::vector<std::string> splitKeyPath(std::string_view path);

// A full key path split into its root and the path below it: "HKEY_USERS\.DEFAULT"
// gives HKEY_USERS and ".DEFAULT". Nothing when the root name is unknown.
struct RootedPath {
    RegistryRoot root;
    std::string subPath;
};
std::optional<RootedPath> splitRootedPath(std::string_view fullPath);

}  // namespace platform::emulated
