#include "config/DispatchAddIn.h"

#include <utility>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"

DispatchAddIn::DispatchAddIn(std::string classId) : classId_(std::move(classId)) {}

void DispatchAddIn::defineMethod(const std::string& name, std::size_t argumentCount,
                                 Method method) {
    methods_[foldedName(name)] = MethodEntry{argumentCount, std::move(method)};
}

void DispatchAddIn::defineProperty(const std::string& name, Property property) {
    properties_[foldedName(name)] = std::move(property);
}

std::string DispatchAddIn::classId() const {
    return classId_;
}

AutomationValue DispatchAddIn::invokeMethod(const std::string& name,
                                            const std::vector<AutomationValue>& args) {
    const auto found = methods_.find(foldedName(name));
    if (found == methods_.end() || !found->second.method) raiseMissing();
    if (args.size() != found->second.argumentCount) {
        throw RaisedError(kWrongArgumentCount, classId_,
                          "Wrong number of arguments or invalid property assignment");
    }
    return found->second.method(args);
}

AutomationValue DispatchAddIn::getProperty(const std::string& name) {
    const auto found = properties_.find(foldedName(name));
    if (found == properties_.end() || !found->second) raiseMissing();
    return found->second();
}

std::string DispatchAddIn::foldedName(const std::string& name) {
    return platform::lowerAscii(name);
}

void DispatchAddIn::raiseMissing() const {
    throw RaisedError(kMemberMissing, classId_, "Object doesn't support this property or method");
}
