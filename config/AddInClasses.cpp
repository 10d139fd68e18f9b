#include "config/AddInClasses.h"

#include <map>
#include <mutex>
#include <utility>

#include "config/LibraryAddIn.h"
#include "config/ObjectRegistry.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Services.h"

namespace {

struct ClassTable {
    std::mutex lock;
    std::map<std::string, AddInFactory> factories;  // by lower-case identifier
};

ClassTable& table() {
    static ClassTable instance;
    return instance;
}

[[noreturn]] void cannotCreate(const std::string& classId) { raiseCannotCreate(classId); }

// An object of CLASSID from the library the system's object registry names for it.
std::shared_ptr<AddInObject> createFromObjectRegistry(const std::string& classId) {
    // A process without a registry (a test of the table alone) has no object registry.
    if (platform::services().registry == nullptr) cannotCreate(classId);
    const objectregistry::ServerLookup server = objectregistry::findInprocServer(classId);
    if (!server.libraryPath) raiseCannotCreate(classId, server.whyNot);
    return LibraryAddIn::create(AddInLibrary::load(*server.libraryPath, classId), classId);
}

}  // namespace

void registerAddInClass(const std::string& classId, AddInFactory factory) {
    ClassTable& classes = table();
    std::lock_guard<std::mutex> guard(classes.lock);
    classes.factories[platform::lowerAscii(classId)] = std::move(factory);
}

void unregisterAddInClass(const std::string& classId) {
    ClassTable& classes = table();
    std::lock_guard<std::mutex> guard(classes.lock);
    classes.factories.erase(platform::lowerAscii(classId));
}

std::shared_ptr<AddInObject> createAddInObject(const std::string& classId) {
    AddInFactory factory;
    {
        ClassTable& classes = table();
        std::lock_guard<std::mutex> guard(classes.lock);
        const auto found = classes.factories.find(platform::lowerAscii(classId));
        if (found != classes.factories.end()) factory = found->second;
    }
    // The factory runs unlocked: making an object may itself register or create classes.
    if (!factory) return createFromObjectRegistry(classId);
    std::shared_ptr<AddInObject> object = factory();
    if (!object) cannotCreate(classId);
    return object;
}
