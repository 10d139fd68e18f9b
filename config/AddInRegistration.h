#pragma once
// Installing an add-in library: its self-registration in the system's object registry
// (the library writes its classes below HKEY_CLASSES_ROOT, with the path it was loaded
// from as their in-process server) and the add-in's registration in the per-user
// settings store (section "Add-Ins", and "Add-Ins\<name>" with "Class", "OS", "Active",
// "File" and "Version"). Registering and unregistering do both or neither.

#include <optional>
#include <string>
#include <vector>

#include "config/AddInList.h"
#include "config/AddInRegistrations.h"

// One add-in as the settings store has it registered.
using AddInRegistration = addins::Registration;

// What a library says about itself.
struct AddInLibraryInfo {
    std::string displayName;
    std::string version;
    std::string addinClass;
};

namespace addinregistry {

// The registered add-in NAME (any case), if there is one.
std::optional<AddInRegistration> findAddIn(const std::string& name);

// Loads the library at the machine path LIBRARY and reads its names. Raises error 429
// naming the cause when it is no usable add-in library.
AddInLibraryInfo describeLibrary(const std::string& library);

// Registers the library at LIBRARY as the add-in NAME (its display name when empty) for
// OS: runs its self-registration, then writes the settings (Active "1"). Raises a
// RaisedError naming the cause when the library cannot be used, has no add-in class or
// no self-registration, the name is taken or unusable, or a write fails; nothing stays
// registered then. Answers the registration made.
AddInRegistration registerLibrary(const std::string& library, const std::string& name,
                                  const std::string& os);
// Removes the add-in NAME: the library's own unregistration (when its file still loads)
// and the settings. Raises a RaisedError when NAME is not registered or the library
// refuses to unregister; the settings then stay.
void unregisterAddIn(const std::string& name);
// Switches the add-in NAME on or off. Raises a RaisedError when it is not registered.
void setActive(const std::string& name, bool active);

// The add-ins eligible on PLATFORM and switched on, created in registration order as the
// main window loads them: at most twenty, and creation stops at the first that fails,
// whose name and error FAILURE then holds.
struct CreationFailure {
    std::string name;
    std::string classId;
    std::string description;
};
AddInList createActiveAddIns(const std::string& platform, std::optional<CreationFailure>& failure);

}  // namespace addinregistry
