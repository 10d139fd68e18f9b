#pragma once
// HKEY_CLASSES_ROOT as an add-in library's self-registration writes it: the
// rmw_registry_access the host hands register_server and unregister_server, and the
// removal of what a library registered when the library itself is gone.

#include <string>

#include "addins/sdk/RoamwiseAddIn.h"

namespace classesroot {

// Writes and removes keys below HKEY_CLASSES_ROOT through the registry functions. No
// exception leaves it; failures are Win32 error codes.
rmw_registry_access access();

// Removes the programmatic identifier CLASSID and its class id, when the object
// registry still names FILE as their library.
void removeOrphanedClass(const std::string& classId, const std::string& file);

}  // namespace classesroot
