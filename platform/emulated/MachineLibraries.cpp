#include "platform/emulated/MachineLibraries.h"

#include <dlfcn.h>

#include <system_error>

namespace platform::emulated {
namespace {

thread_local std::string lastError;

void noteFailure(std::string text) { lastError = std::move(text); }

void noteLoaderFailure(const std::string& fallback) {
    const char* text = dlerror();
    noteFailure(text != nullptr ? text : fallback);
}

}  // namespace

MachineLibraries::MachineLibraries(FileSystem& files) : files_(files) {}

win32::HMODULE MachineLibraries::LoadLibraryA(const std::string& path) {
    if (path.empty()) {
        noteFailure("no library named");
        return nullptr;
    }
    const std::filesystem::path native = files_.toNative(path);
    // The loader would search its own folders for a bare name; a machine path always
    // names one file.
    std::error_code error;
    if (!std::filesystem::is_regular_file(native, error)) {
        noteFailure("the file does not exist");
        return nullptr;
    }
    dlerror();
    void* handle = dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        noteLoaderFailure(path + ": cannot load the library");
        return nullptr;
    }
    return static_cast<win32::HMODULE>(handle);
}

win32::FARPROC MachineLibraries::GetProcAddress(win32::HMODULE module, const char* name) {
    if (module == nullptr || name == nullptr) {
        noteFailure("no library or no function named");
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(module, name);
    if (symbol == nullptr) {
        noteLoaderFailure(std::string("the library exports no function ") + name);
        return nullptr;
    }
    return reinterpret_cast<win32::FARPROC>(symbol);
}

win32::BOOL MachineLibraries::FreeLibrary(win32::HMODULE module) {
    if (module == nullptr) {
        noteFailure("no library");
        return 0;
    }
    dlerror();
    if (dlclose(module) != 0) {
        noteLoaderFailure("cannot unload the library");
        return 0;
    }
    return 1;
}

std::string MachineLibraries::lastLibraryError() { return lastError; }

}  // namespace platform::emulated
