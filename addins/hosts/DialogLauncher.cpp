#include "DialogLauncher.h"

#include <dlfcn.h>

#include <mutex>

#include "AddInError.h"
#include "DialogInterface.h"

namespace hostsaddin {

namespace {

// The folder this library was loaded from, with its trailing '/'.
std::string ownFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&runHostsDialog), &info) == 0 || !info.dli_fname) return {};
    const std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct LoadedDialog {
    DialogEntryFunction entry = nullptr;
    std::string problem;
};

// The dialog library stays loaded once loaded: it brings Qt in, which cannot be unloaded
// safely while the application runs.
LoadedDialog loadDialog() {
    LoadedDialog loaded;
    const std::string path = ownFolder() + kDialogLibraryName;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        loaded.problem = "The hosts add-in's dialog library " + path + " could not be loaded (" +
                         (reason ? reason : "unknown reason") + ").";
        return loaded;
    }
    loaded.entry = reinterpret_cast<DialogEntryFunction>(dlsym(library, kDialogEntryName));
    if (!loaded.entry) {
        loaded.problem = "The hosts add-in's dialog library " + path + " is not the one that "
                         "belongs to this add-in (it has no " + kDialogEntryName + ").";
    }
    return loaded;
}

const LoadedDialog& dialog() {
    static std::once_flag once;
    static LoadedDialog loaded;
    std::call_once(once, [] { loaded = loadDialog(); });
    return loaded;
}

}  // namespace

bool runHostsDialog(HostList& entries) {
    const LoadedDialog& loaded = dialog();
    if (!loaded.entry) throw AddInError(AddInError::kDialogUnavailable, loaded.problem);
    std::string error;
    switch (loaded.entry(kDialogInterfaceVersion, &entries, &error)) {
        case DialogOutcome::Accepted: return true;
        case DialogOutcome::Cancelled: return false;
        case DialogOutcome::Failed: break;
    }
    throw AddInError(AddInError::kDialogUnavailable,
                     error.empty() ? "The hosts add-in's dialog could not be shown." : error);
}

}  // namespace hostsaddin
