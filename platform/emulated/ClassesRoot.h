#pragma once
// HKEY_CLASSES_ROOT is no key of its own: as on Windows 95/98 and NT 4.0 it is a second
// name for HKEY_LOCAL_MACHINE\SOFTWARE\Classes. Everything that addresses keys by path
// (the registry functions, registry files, rmwctl) passes its paths through here, so
// both names reach the same key.
//
// Machines made before the two names were joined kept HKEY_CLASSES_ROOT as a root of
// its own; adoptOldClassesRoot moves what lies there into the shared key.

#include <optional>
#include <string>
#include <string_view>

#include "platform/emulated/RegistryDatabase.h"
#include "platform/emulated/RegistryNames.h"

namespace platform::emulated {

// The key both names stand for, folded.
inline constexpr const char* kClassesKeyPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES";

// FOLDEDPATH with a leading HKEY_CLASSES_ROOT replaced by the key it stands for; any
// other path as it is.
std::string canonicalKeyPath(std::string_view foldedPath);
// PATH with HKEY_CLASSES_ROOT replaced by HKEY_LOCAL_MACHINE and SOFTWARE\Classes put
// before its sub-path; any other path as it is.
RootedPath canonicalRootedPath(const RootedPath& path);

// The shared key, created when missing; nothing when it is missing and cannot be made
// (a registry on read-only storage).
std::optional<KeyId> ensureClassesKey(RegistryDatabase& database);

// Moves every key and value below the old separate HKEY_CLASSES_ROOT into the shared
// key, in one transaction: what lay under the old root wins over a value of the same
// name already in the shared key, since that is what programs read through
// HKEY_CLASSES_ROOT until now. False when the old root still holds data (the move was
// not possible, for instance on read-only storage); true when it is empty afterwards.
bool adoptOldClassesRoot(RegistryDatabase& database);

}  // namespace platform::emulated
