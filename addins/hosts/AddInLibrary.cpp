// The library's C face: rmw_addin_entry and the table behind it. Members are found by
// name without regard to ASCII case; every C++ exception is caught here and answered
// with an rmw_error, since none may reach the host.

#include <array>
#include <cstddef>
#include <functional>
#include <new>
#include <optional>
#include <string>

#include "AddInError.h"
#include "HostEntry.h"
#include "HostsAddIn.h"
#include "Identity.h"
#include "addins/sdk/RoamwiseAddIn.h"

struct rmw_addin_object {
    explicit rmw_addin_object(const hostsaddin::HostServices& host) : addIn(host) {}

    hostsaddin::HostsAddIn addIn;
    // What the last failed call said, kept until the next call as the interface asks.
    std::string errorSource;
    std::string errorDescription;
};

namespace hostsaddin {

namespace {

constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kInternalError = AddInError::kObjectError + 519;
constexpr std::int32_t kInvalidParameter = 87;  // Win32 ERROR_INVALID_PARAMETER
constexpr std::int32_t kNotFound = 2;           // Win32 ERROR_FILE_NOT_FOUND

const std::string kClassKey = std::string("CLSID\\") + kClassId;

// A failure on its way to the host: the status to return and the error to report.
struct Failure {
    std::int32_t status;
    std::int32_t number;
    std::string description;
};

void report(rmw_addin_object& object, const Failure& failure, rmw_error* error) {
    object.errorSource = kProgId;
    object.errorDescription = failure.description;
    if (!error) return;
    error->number = failure.number;
    error->source = object.errorSource.c_str();
    error->description = object.errorDescription.c_str();
}

// Runs CALL and turns whatever it throws into a Failure.
std::optional<Failure> guarded(const std::function<void()>& call) {
    try {
        call();
        return std::nullopt;
    } catch (const AddInError& error) {
        return Failure{RMW_E_FAILED, error.number(), error.what()};
    } catch (const std::bad_alloc&) {
        return Failure{RMW_E_FAILED, kOutOfMemory, "Out of memory"};
    } catch (const std::exception& error) {
        return Failure{RMW_E_FAILED, kInternalError,
                       std::string("The hosts add-in failed: ") + error.what()};
    } catch (...) {
        return Failure{RMW_E_FAILED, kInternalError, "The hosts add-in failed."};
    }
}

Failure memberMissing() {
    return {RMW_E_MEMBER_MISSING, RMW_E_MEMBER_MISSING,
            "Object doesn't support this property or method"};
}

Failure wrongArgumentCount() {
    return {RMW_E_ARGUMENT_COUNT, RMW_E_ARGUMENT_COUNT,
            "Wrong number of arguments or invalid property assignment"};
}

rmw_value emptyValue() { return rmw_value{RMW_VALUE_EMPTY, 0, 0, 0.0, nullptr, 0}; }

rmw_value booleanValue(bool value) {
    rmw_value result = emptyValue();
    result.kind = RMW_VALUE_BOOLEAN;
    result.boolean = value ? 1 : 0;
    return result;
}

// The text of a path argument; a Failure when it is not text.
std::optional<std::string> textArgument(const rmw_value& value) {
    if (value.kind != RMW_VALUE_TEXT) return std::nullopt;
    return value.text ? std::string(value.text, value.length) : std::string();
}

struct Method {
    const char* name;
    std::size_t argumentCount;
    void (*run)(HostsAddIn&, const std::string& path);
};

constexpr std::array kMethods = {
    Method{"loadSettings", 1, [](HostsAddIn& a, const std::string& path) { a.loadSettings(path); }},
    Method{"saveSettings", 1, [](HostsAddIn& a, const std::string& path) { a.saveSettings(path); }},
    Method{"applySettings", 0, [](HostsAddIn& a, const std::string&) { a.applySettings(); }},
    Method{"Show", 0, [](HostsAddIn& a, const std::string&) { a.Show(); }},
    Method{"about", 0, [](HostsAddIn& a, const std::string&) { a.about(); }},
};

// The property NAME of ADDIN, nothing when it has none of that name.
std::optional<bool> readProperty(const HostsAddIn& addIn, std::string_view name) {
    if (equalsIgnoringCase(name, "restart")) return addIn.restart();
    if (equalsIgnoringCase(name, "Changed")) return addIn.Changed();
    return std::nullopt;
}

std::optional<Failure> invoke(rmw_addin_object& object, std::string_view name,
                              const rmw_value* arguments, std::size_t argumentCount,
                              rmw_value& result) {
    for (const Method& method : kMethods) {
        if (!equalsIgnoringCase(name, method.name)) continue;
        if (argumentCount != method.argumentCount || (argumentCount > 0 && !arguments)) {
            return wrongArgumentCount();
        }
        std::string path;
        if (argumentCount == 1) {
            const std::optional<std::string> text = textArgument(arguments[0]);
            if (!text) return Failure{RMW_E_FAILED, kTypeMismatch, "Type mismatch"};
            path = *text;
        }
        return guarded([&] { method.run(object.addIn, path); });
    }
    // A property may also be read with call syntax, as automation allows.
    if (const std::optional<bool> value = readProperty(object.addIn, name)) {
        if (argumentCount != 0) return wrongArgumentCount();
        result = booleanValue(*value);
        return std::nullopt;
    }
    return memberMissing();
}

int32_t RMW_ADDIN_CALL invokeMethod(rmw_addin_object* object, const char* name,
                                    const rmw_value* arguments, size_t argumentCount,
                                    rmw_value* result, rmw_error* error) {
    if (!object) return RMW_E_FAILED;
    try {
        rmw_value answer = emptyValue();
        const std::optional<Failure> failure =
            name ? invoke(*object, name, arguments, argumentCount, answer) : memberMissing();
        if (result) *result = answer;
        if (!failure) return RMW_OK;
        report(*object, *failure, error);
        return failure->status;
    } catch (...) {  // only a failure to keep the error texts can land here
        if (error) *error = rmw_error{kOutOfMemory, kProgId, "Out of memory"};
        return RMW_E_FAILED;
    }
}

int32_t RMW_ADDIN_CALL getProperty(rmw_addin_object* object, const char* name, rmw_value* result,
                                   rmw_error* error) {
    if (!object) return RMW_E_FAILED;
    try {
        if (result) *result = emptyValue();
        const std::optional<bool> value = name ? readProperty(object->addIn, name) : std::nullopt;
        if (!value) {
            report(*object, memberMissing(), error);
            return RMW_E_MEMBER_MISSING;
        }
        if (result) *result = booleanValue(*value);
        return RMW_OK;
    } catch (...) {
        if (error) *error = rmw_error{kOutOfMemory, kProgId, "Out of memory"};
        return RMW_E_FAILED;
    }
}

// The error texts of the last failed create_object, kept until the next one.
thread_local std::string creationDescription;

int32_t creationFailure(std::int32_t status, const std::string& description, rmw_error* error) {
    try {
        creationDescription = description;
    } catch (...) {
        creationDescription.clear();
    }
    if (error) *error = rmw_error{status, kProgId, creationDescription.c_str()};
    return status;
}

bool isOwnClass(std::string_view classId) {
    return equalsIgnoringCase(classId, kProgId) || equalsIgnoringCase(classId, kClassId);
}

int32_t RMW_ADDIN_CALL createObject(const char* classId, const rmw_host_services* host,
                                    rmw_addin_object** object, rmw_error* error) {
    if (!object) return creationFailure(RMW_E_FAILED, "No place for the object was given.", error);
    *object = nullptr;
    if (!classId || !isOwnClass(classId)) {
        return creationFailure(RMW_E_CANNOT_CREATE,
                               std::string("The hosts add-in has no class \"") +
                                   (classId ? classId : "") + "\"; it provides " + kProgId + ".",
                               error);
    }
    if (!HostServices::isComplete(host)) {
        return creationFailure(RMW_E_FAILED,
                               "The program offers the hosts add-in too few services to run it.",
                               error);
    }
    try {
        *object = new rmw_addin_object(HostServices(*host));
        return RMW_OK;
    } catch (...) {
        return creationFailure(RMW_E_FAILED, "Out of memory", error);
    }
}

void RMW_ADDIN_CALL releaseObject(rmw_addin_object* object) { delete object; }

bool isComplete(const rmw_registry_access* registry) {
    return registry &&
           registry->struct_size >= offsetof(rmw_registry_access, delete_tree) +
                                        sizeof(registry->delete_tree) &&
           registry->set_text && registry->delete_tree;
}

int32_t RMW_ADDIN_CALL unregisterServer(const rmw_registry_access* registry);

int32_t RMW_ADDIN_CALL registerServer(const rmw_registry_access* registry, const char* libraryPath) {
    if (!isComplete(registry) || !libraryPath || !*libraryPath) return kInvalidParameter;
    struct Value {
        std::string key;
        const char* name;
        const char* text;
    };
    try {
        const Value values[] = {
            {kProgId, nullptr, kDisplayName},
            {std::string(kProgId) + "\\CLSID", nullptr, kClassId},
            {kClassKey, nullptr, kDisplayName},
            {kClassKey + "\\ProgID", nullptr, kProgId},
            {kClassKey + "\\InprocServer32", nullptr, libraryPath},
            {kClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        };
        for (const Value& value : values) {
            const int32_t status =
                registry->set_text(registry->context, value.key.c_str(), value.name, value.text);
            if (status != 0) {
                unregisterServer(registry);  // leave no half registration behind
                return status;
            }
        }
        return 0;
    } catch (...) {
        return 8;  // ERROR_NOT_ENOUGH_MEMORY
    }
}

int32_t RMW_ADDIN_CALL unregisterServer(const rmw_registry_access* registry) {
    if (!isComplete(registry)) return kInvalidParameter;
    int32_t result = 0;
    for (const char* key : {kProgId, kClassKey.c_str()}) {
        const int32_t status = registry->delete_tree(registry->context, key);
        if (status != 0 && status != kNotFound && result == 0) result = status;
    }
    return result;
}

const rmw_addin_library kLibrary = {
    RMW_ADDIN_INTERFACE_VERSION,
    sizeof(rmw_addin_library),
    kDisplayName,
    kVersion,
    kProgId,
    &createObject,
    &releaseObject,
    &invokeMethod,
    &getProperty,
    &registerServer,
    &unregisterServer,
};

}  // namespace

}  // namespace hostsaddin

extern "C" RMW_ADDIN_EXPORT const rmw_addin_library* RMW_ADDIN_CALL
rmw_addin_entry(uint32_t host_version) {
    return host_version == RMW_ADDIN_INTERFACE_VERSION ? &hostsaddin::kLibrary : nullptr;
}
