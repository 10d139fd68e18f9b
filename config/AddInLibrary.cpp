#include "config/AddInLibrary.h"

#include <cstddef>
#include <map>

#include "platform/AsciiText.h"
#include "platform/RaisedError.h"
#include "platform/Win32.h"

namespace {

// What interface version 1 needs a table to reach: everything up to unregister_server.
constexpr std::size_t kVersionOneSize =
    offsetof(rmw_addin_library, unregister_server) + sizeof(rmw_addin_library::unregister_server);

struct LoadedLibraries {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<AddInLibrary>> byPath;  // by folded native path
};

LoadedLibraries& loaded() {
    // Never destroyed: libraries stay loaded until the process ends, and objects released
    // by other static destructors may still call into them.
    static LoadedLibraries* libraries = new LoadedLibraries;
    return *libraries;
}

std::string cacheKey(const std::string& path) {
    const platform::Services& services = platform::services();
    const std::string native =
        services.files != nullptr ? services.files->toNative(path).string() : path;
    return platform::lowerAscii(native);
}

std::string versionText(std::uint32_t version) { return std::to_string(version); }

// Why TABLE cannot be used, or "" when it can.
std::string tableFault(const rmw_addin_library& table) {
    if (table.interface_version != RMW_ADDIN_INTERFACE_VERSION) {
        return "it speaks add-in interface version " + versionText(table.interface_version) +
               ", not " + versionText(RMW_ADDIN_INTERFACE_VERSION);
    }
    if (table.struct_size < kVersionOneSize) {
        return "its table is incomplete (" + std::to_string(table.struct_size) + " bytes of " +
               std::to_string(kVersionOneSize) + ")";
    }
    if (table.create_object == nullptr || table.release_object == nullptr ||
        table.invoke_method == nullptr || table.get_property == nullptr) {
        return "its table lacks the functions that make and call objects";
    }
    return "";
}

}  // namespace

void raiseCannotCreate(const std::string& classId, const std::string& cause) {
    throw RaisedError(kCannotCreateObject, classId,
                      cause.empty() ? kCannotCreateText
                                    : std::string(kCannotCreateText) + " (" + cause + ")");
}

AddInLibrary::AddInLibrary(std::string path, win32::HMODULE module, const rmw_addin_library* table)
    : path_(std::move(path)), module_(module), table_(table) {}

std::shared_ptr<AddInLibrary> AddInLibrary::load(const std::string& path,
                                                 const std::string& classId) {
    LoadedLibraries& libraries = loaded();
    const std::string key = cacheKey(path);
    std::lock_guard<std::mutex> guard(libraries.lock);
    if (const auto found = libraries.byPath.find(key); found != libraries.byPath.end()) {
        return found->second;
    }
    auto library = open(path, classId);
    libraries.byPath.emplace(key, library);
    return library;
}

std::shared_ptr<AddInLibrary> AddInLibrary::open(const std::string& path,
                                                 const std::string& classId) {
    if (platform::services().libraries == nullptr) {
        raiseCannotCreate(classId, "this system loads no libraries");
    }
    const win32::HMODULE module = win32::LoadLibraryA(path);
    if (module == nullptr) {
        raiseCannotCreate(classId, "cannot load " + path + ": " +
                                       platform::libraries().lastLibraryError());
    }
    std::string fault;
    const rmw_addin_library* table = nullptr;
    const auto entry =
        reinterpret_cast<rmw_addin_entry_function>(win32::GetProcAddress(module, RMW_ADDIN_ENTRY_NAME));
    if (entry == nullptr) {
        fault = path + " is no add-in library: it exports no " + RMW_ADDIN_ENTRY_NAME;
    } else {
        try {
            table = entry(RMW_ADDIN_INTERFACE_VERSION);
        } catch (...) {
            fault = path + " failed when asked for its table";
        }
        if (fault.empty() && table == nullptr) {
            fault = path + " does not speak add-in interface version " +
                    versionText(RMW_ADDIN_INTERFACE_VERSION);
        } else if (fault.empty()) {
            if (const std::string why = tableFault(*table); !why.empty()) fault = path + ": " + why;
        }
    }
    if (!fault.empty()) {
        win32::FreeLibrary(module);
        raiseCannotCreate(classId, fault);
    }
    return std::shared_ptr<AddInLibrary>(new AddInLibrary(path, module, table));
}

void AddInLibrary::unloadUnused() {
    LoadedLibraries& libraries = loaded();
    std::lock_guard<std::mutex> guard(libraries.lock);
    for (auto each = libraries.byPath.begin(); each != libraries.byPath.end();) {
        if (each->second.use_count() == 1) {
            if (platform::services().libraries != nullptr) {
                win32::FreeLibrary(each->second->module_);
            }
            each = libraries.byPath.erase(each);
        } else {
            ++each;
        }
    }
}
