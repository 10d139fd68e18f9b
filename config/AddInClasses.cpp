#include "config/AddInClasses.h"

#include <map>
#include <mutex>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"

namespace {

struct ClassTable {
    std::mutex lock;
    std::map<std::string, AddInFactory> factories;  // by lower-case identifier
};

ClassTable& table() {
    static ClassTable instance;
    return instance;
}

[[noreturn]] void cannotCreate(const std::string& classId) {
    throw RaisedError(kCannotCreateObject, classId, "ActiveX component can't create object");
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
    if (!factory) cannotCreate(classId);
    std::shared_ptr<AddInObject> object = factory();
    if (!object) cannotCreate(classId);
    return object;
}
