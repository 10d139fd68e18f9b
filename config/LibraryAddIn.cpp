#include "config/LibraryAddIn.h"

#include <type_traits>

#include "platform/RaisedError.h"

namespace {

constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kAutomationError = 440;

rmw_value toValue(const AutomationValue& value) {
    rmw_value converted{};
    std::visit(
        [&converted](const auto& held) {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                converted.kind = RMW_VALUE_EMPTY;
            } else if constexpr (std::is_same_v<Held, bool>) {
                converted.kind = RMW_VALUE_BOOLEAN;
                converted.boolean = held ? 1 : 0;
            } else if constexpr (std::is_same_v<Held, std::int32_t>) {
                converted.kind = RMW_VALUE_NUMBER;
                converted.number = held;
            } else if constexpr (std::is_same_v<Held, double>) {
                converted.kind = RMW_VALUE_DOUBLE;
                converted.real = held;
            } else {
                converted.kind = RMW_VALUE_TEXT;
                converted.text = held.data();
                converted.length = held.size();
            }
        },
        value);
    return converted;
}

std::string textOr(const char* text, const std::string& fallback) {
    return text != nullptr && *text != '\0' ? std::string(text) : fallback;
}

// The system's text for the errors a call through the table reports by number alone.
std::string standardDescription(std::int32_t number) {
    switch (number) {
        case AddInObject::kMemberMissing:
            return "Object doesn't support this property or method";
        case AddInObject::kWrongArgumentCount:
            return "Wrong number of arguments or invalid property assignment";
        case kCannotCreateObject:
            return kCannotCreateText;
        default:
            return "Automation error";
    }
}

}  // namespace

LibraryAddIn::LibraryAddIn(std::shared_ptr<AddInLibrary> library, std::string classId)
    : library_(std::move(library)), classId_(std::move(classId)) {}

std::shared_ptr<LibraryAddIn> LibraryAddIn::create(std::shared_ptr<AddInLibrary> library,
                                                   const std::string& classId) {
    std::shared_ptr<LibraryAddIn> addIn(new LibraryAddIn(std::move(library), classId));
    rmw_error error{};
    std::int32_t status = RMW_E_FAILED;
    {
        std::lock_guard<std::recursive_mutex> guard(addIn->library_->callLock());
        try {
            status = addIn->library_->table().create_object(classId.c_str(), addIn->host_.table(),
                                                            &addIn->object_, &error);
        } catch (...) {
            raiseCannotCreate(classId, addIn->library_->path() +
                                           " failed with an exception while creating the object");
        }
    }
    if (status != RMW_OK || addIn->object_ == nullptr) {
        const std::string cause = textOr(error.description, "");
        raiseCannotCreate(classId, cause.empty() ? addIn->library_->path() + " made no object"
                                                 : cause);
    }
    return addIn;
}

LibraryAddIn::~LibraryAddIn() {
    if (object_ == nullptr) return;
    std::lock_guard<std::recursive_mutex> guard(library_->callLock());
    try {
        library_->table().release_object(object_);
    } catch (...) {
        // Nothing can be done about an object that fails to go; the program goes on.
    }
}

std::string LibraryAddIn::classId() const { return classId_; }

void LibraryAddIn::raiseFailure(const std::string& name, std::int32_t status,
                                const rmw_error& error) const {
    std::int32_t number = error.number != 0 ? error.number : status;
    if (number == RMW_E_FAILED) number = kAutomationError;
    std::string description = textOr(error.description, standardDescription(number));
    if (number == kAutomationError && error.description == nullptr) {
        description += " in " + name;
    }
    throw RaisedError(number, textOr(error.source, classId_), description);
}

AutomationValue LibraryAddIn::converted(const rmw_value& value) const {
    switch (value.kind) {
        case RMW_VALUE_EMPTY:
            return std::monostate{};
        case RMW_VALUE_BOOLEAN:
            return value.boolean != 0;
        case RMW_VALUE_NUMBER:
            return value.number;
        case RMW_VALUE_DOUBLE:
            return value.real;
        case RMW_VALUE_TEXT:
            if (value.text == nullptr && value.length > 0) break;
            return std::string(value.text != nullptr ? value.text : "", value.length);
        default:
            break;
    }
    throw RaisedError(kTypeMismatch, classId_, "Type mismatch");
}

AutomationValue LibraryAddIn::invokeMethod(const std::string& name,
                                           const std::vector<AutomationValue>& args) {
    std::vector<rmw_value> arguments;
    arguments.reserve(args.size());
    for (const AutomationValue& each : args) arguments.push_back(toValue(each));
    rmw_value result{};
    rmw_error error{};
    std::lock_guard<std::recursive_mutex> guard(library_->callLock());
    std::int32_t status = RMW_E_FAILED;
    try {
        status = library_->table().invoke_method(object_, name.c_str(), arguments.data(),
                                                 arguments.size(), &result, &error);
    } catch (...) {
        throw RaisedError(kAutomationError, classId_,
                          "Automation error: the add-in's " + name + " failed with an exception");
    }
    if (status != RMW_OK) raiseFailure(name, status, error);
    return converted(result);
}

AutomationValue LibraryAddIn::getProperty(const std::string& name) {
    rmw_value result{};
    rmw_error error{};
    std::lock_guard<std::recursive_mutex> guard(library_->callLock());
    std::int32_t status = RMW_E_FAILED;
    try {
        status = library_->table().get_property(object_, name.c_str(), &result, &error);
    } catch (...) {
        throw RaisedError(kAutomationError, classId_,
                          "Automation error: the add-in's " + name + " failed with an exception");
    }
    if (status != RMW_OK) raiseFailure(name, status, error);
    return converted(result);
}
