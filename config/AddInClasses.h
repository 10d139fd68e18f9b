#pragma once
// The classes add-in objects can be created from: a process-wide table from class
// identifier (a programmatic identifier such as "Vendor.Class") to a factory, standing
// in for the system's object registry. An add-in package registers its classes when it
// is linked into the program; the main window creates its add-ins from the identifiers
// stored in their registrations. Identifiers are matched without regard to ASCII case.

#include <functional>
#include <memory>
#include <string>

#include "config/AddInObject.h"

using AddInFactory = std::function<std::shared_ptr<AddInObject>()>;

// The error number raised when no object can be made for a class identifier.
inline constexpr int kCannotCreateObject = 429;

// Makes CLASSID creatable through FACTORY, replacing an earlier registration of the
// same identifier.
void registerAddInClass(const std::string& classId, AddInFactory factory);
// Removes the registration of CLASSID; nothing happens when there is none.
void unregisterAddInClass(const std::string& classId);
// A new object of the class CLASSID. Raises error 429, "ActiveX component can't create
// object", with CLASSID as its source, when the class is not registered or its factory
// makes no object; errors the factory raises reach the caller.
std::shared_ptr<AddInObject> createAddInObject(const std::string& classId);
