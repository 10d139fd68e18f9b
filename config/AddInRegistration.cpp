#include "config/AddInRegistration.h"

#include <functional>

#include "config/AddInClasses.h"
#include "config/AddInLibrary.h"
#include "config/ClassesRootAccess.h"
#include "config/ObjectRegistry.h"
#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Win32.h"
#include "settings/SettingsStore.h"

namespace addinregistry {
namespace {

constexpr const char* kSource = "Add-Ins";
constexpr const char* kSection = "Add-Ins";
constexpr std::int32_t kInvalidArgument = 5;
constexpr std::int32_t kAlreadyRegistered = 457;
constexpr std::int32_t kNotRegistered = 35601;  // as a collection reports a missing element
constexpr std::int32_t kBusy = 70;
constexpr std::int32_t kWriteFailed = 75;
constexpr double kWaitSeconds = 60;
// As many add-ins as the main window's menu has entries for.
constexpr std::size_t kMostAddIns = 20;

[[noreturn]] void fail(std::int32_t number, const std::string& description) {
    throw RaisedError(number, kSource, description);
}

std::string sectionOf(const std::string& name) { return platform::concat({kSection, "\\", name}); }

std::string textOrEmpty(const char* text) { return text != nullptr ? text : ""; }

// Runs the library's self-registration STEP; raises what went wrong.
void runServerStep(const std::string& library, const char* what,
                   const std::function<std::int32_t()>& step) {
    std::int32_t result = 0;
    try {
        result = step();
    } catch (...) {
        fail(kCannotCreateObject, library + ": its " + what + " failed with an exception");
    }
    if (result != 0) {
        fail(kCannotCreateObject,
             library + ": its " + what + " failed (error " + std::to_string(result) + ")");
    }
}

// ---- One registry transaction ------------------------------------------------------

// Registry changes made while it lives land together at commit() or not at all; where
// the registry keeps no transactions, UNDO puts back what was written.
class RegistrationScope {
  public:
    explicit RegistrationScope(std::function<void()> undo) : undo_(std::move(undo)) {
        platform::Registry& registry = platform::registry();
        if (!registry.beginTransaction(kWaitSeconds)) {
            fail(kBusy, "the registry is busy: " + registry.transactionError());
        }
    }
    ~RegistrationScope() {
        if (committed_) return;
        platform::registry().rollbackTransaction();
        try {
            undo_();
        } catch (...) {
            // The registry's rollback has put everything back where it keeps transactions.
        }
    }
    RegistrationScope(const RegistrationScope&) = delete;
    RegistrationScope& operator=(const RegistrationScope&) = delete;

    void commit() {
        committed_ = true;
        platform::Registry& registry = platform::registry();
        if (!registry.commitTransaction()) {
            undo_();
            fail(kWriteFailed, "the registration could not be written: " +
                                   registry.transactionError());
        }
    }

  private:
    std::function<void()> undo_;
    bool committed_ = false;
};

// ---- The settings store --------------------------------------------------------------

void saveChecked(SettingsStore& store, const std::string& section, const std::string& key,
                 const std::string& value) {
    store.SaveSetting(kAppName, section, key, value);
    if (store.FindSetting(kAppName, section, key) != value) {
        fail(kWriteFailed, "the settings store refused " + section + "\\" + key);
    }
}

void writeSettings(const AddInRegistration& addIn) {
    SettingsStore store;
    saveChecked(store, kSection, addIn.name, addIn.classId);
    const std::string section = sectionOf(addIn.name);
    saveChecked(store, section, "Class", addIn.classId);
    saveChecked(store, section, "OS", addIn.os);
    saveChecked(store, section, "Active", addIn.active ? "1" : "0");
    saveChecked(store, section, "File", addIn.file.value_or(""));
    saveChecked(store, section, "Version", addIn.version.value_or(""));
}

void removeSettings(const std::string& name) {
    SettingsStore store;
    store.DeleteSetting(kAppName, sectionOf(name));
    store.DeleteSetting(kAppName, kSection, name);
}

void requireUsableName(const std::string& name) {
    if (name.empty()) fail(kInvalidArgument, "an add-in needs a name");
    if (name.find('\\') != std::string::npos) {
        fail(kInvalidArgument, "the add-in name '" + name + "' holds a backslash");
    }
    for (const unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) {
            fail(kInvalidArgument, "the add-in name '" + name + "' holds a control character");
        }
    }
    if (platform::trimBlanks(name) != name) {
        fail(kInvalidArgument, "the add-in name '" + name + "' begins or ends with a blank");
    }
}

std::string checkedOS(const std::string& os) {
    if (os == "*" || os == "95") return os;
    if (platform::equalsIgnoringCase(os, "NT")) return "NT";
    fail(kInvalidArgument, "the platform must be 95, NT or *, not '" + os + "'");
}

bool classUsedByAnother(const std::string& name, const std::string& classId) {
    for (const AddInRegistration& other : addins::registrations()) {
        if (!platform::equalsIgnoringCase(other.name, name) &&
            platform::equalsIgnoringCase(other.classId, classId)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<AddInRegistration> findAddIn(const std::string& name) {
    for (AddInRegistration& addIn : addins::registrations()) {
        if (platform::equalsIgnoringCase(addIn.name, name)) return std::move(addIn);
    }
    return std::nullopt;
}

AddInLibraryInfo describeLibrary(const std::string& library) {
    const auto loaded = AddInLibrary::load(library, library);
    const rmw_addin_library& table = loaded->table();
    return {textOrEmpty(table.display_name), textOrEmpty(table.version),
            textOrEmpty(table.addin_class)};
}

AddInRegistration registerLibrary(const std::string& library, const std::string& name,
                                  const std::string& os) {
    const std::string path = std::string(platform::trimBlanks(library));
    if (path.empty()) fail(kInvalidArgument, "no library named");
    const auto loaded = AddInLibrary::load(path, path);
    const rmw_addin_library& table = loaded->table();
    AddInRegistration addIn;
    addIn.name = name.empty() ? textOrEmpty(table.display_name) : name;
    addIn.classId = textOrEmpty(table.addin_class);
    addIn.os = checkedOS(os);
    addIn.active = true;
    addIn.file = path;
    addIn.version = textOrEmpty(table.version);
    requireUsableName(addIn.name);
    if (addIn.classId.empty()) fail(kCannotCreateObject, path + " names no add-in class");
    if (table.register_server == nullptr) {
        fail(kCannotCreateObject, path + " cannot register itself (it has no register_server)");
    }
    if (findAddIn(addIn.name)) {
        fail(kAlreadyRegistered, "an add-in named '" + addIn.name + "' is registered already");
    }

    const rmw_registry_access access = classesroot::access();
    RegistrationScope scope([&] {
        if (table.unregister_server != nullptr) table.unregister_server(&access);
        removeSettings(addIn.name);
    });
    runServerStep(path, "self-registration",
                  [&] { return table.register_server(&access, path.c_str()); });
    const objectregistry::ServerLookup server = objectregistry::findInprocServer(addIn.classId);
    if (!server.libraryPath) {
        fail(kCannotCreateObject, path + " registered itself, but " + server.whyNot);
    }
    writeSettings(addIn);
    scope.commit();
    return addIn;
}

void unregisterAddIn(const std::string& name) {
    const auto addIn = findAddIn(name);
    if (!addIn) fail(kNotRegistered, "no add-in named '" + name + "' is registered");
    const rmw_registry_access access = classesroot::access();
    RegistrationScope scope([] {});
    // Another add-in registered from the same class keeps the class.
    const std::string file = addIn->file.value_or("");
    if (!file.empty() && !addIn->classId.empty() && !classUsedByAnother(addIn->name, addIn->classId)) {
        std::shared_ptr<AddInLibrary> library;
        try {
            library = AddInLibrary::load(file, addIn->classId);
        } catch (const RaisedError&) {
            // The file is gone or broken: what it registered is removed without it.
            classesroot::removeOrphanedClass(addIn->classId, file);
        }
        if (library && library->table().unregister_server != nullptr) {
            runServerStep(file, "unregistration",
                          [&] { return library->table().unregister_server(&access); });
        }
    }
    removeSettings(addIn->name);
    scope.commit();
}

void setActive(const std::string& name, bool active) {
    const auto addIn = findAddIn(name);
    if (!addIn) fail(kNotRegistered, "no add-in named '" + name + "' is registered");
    SettingsStore store;
    saveChecked(store, sectionOf(addIn->name), "Active", active ? "1" : "0");
}

AddInList createActiveAddIns(const std::string& platform,
                             std::optional<CreationFailure>& failure) {
    AddInList addIns;
    failure.reset();
    for (const AddInRegistration& addIn : addins::registrations()) {
        if (!addIn.eligibleOn(platform) || !addIn.active) continue;
        try {
            if (addIns.size() >= kMostAddIns) {
                throw RaisedError(9, kSource, "more than " + std::to_string(kMostAddIns) +
                                                  " add-ins are switched on");
            }
            addIns.add(addIn.name, createAddInObject(addIn.classId));
        } catch (const RaisedError& error) {
            failure = CreationFailure{addIn.name, addIn.classId, error.Description()};
            break;
        }
    }
    return addIns;
}

}  // namespace addinregistry
