#pragma once
// The classes add-in objects can be created from: first a process-wide table from class
// identifier (a programmatic identifier such as "Vendor.Class") to a factory, where an
// add-in linked into the program registers its classes; then the system's object
// registry, which names the add-in library that makes a class (ObjectRegistry.h). The
// main window creates its add-ins from the identifiers stored in their registrations.
// Identifiers are matched without regard to ASCII case.

#include <functional>
#include <memory>
#include <string>

#include "config/AddInLibrary.h"
#include "config/AddInObject.h"

using AddInFactory = std::function<std::shared_ptr<AddInObject>()>;

// Makes CLASSID creatable through FACTORY, replacing an earlier registration of the
// same identifier.
void registerAddInClass(const std::string& classId, AddInFactory factory);
// Removes the registration of CLASSID; nothing happens when there is none.
void unregisterAddInClass(const std::string& classId);
// A new object of the class CLASSID. Raises error 429, "ActiveX component can't create
// object", with CLASSID as its source, when the class is in neither registry, its
// factory makes no object, or its library cannot be loaded or makes no object (the
// description then names the cause); errors the factory raises reach the caller.
std::shared_ptr<AddInObject> createAddInObject(const std::string& classId);
