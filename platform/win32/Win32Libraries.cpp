#include "platform/win32/Win32Libraries.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {
namespace {

thread_local std::string lastError;

}  // namespace

win32::HMODULE Win32Libraries::LoadLibraryA(const std::string& path) {
    void* module = win32sys::loadLibrary(path);
    if (module == nullptr) lastError = path + ": " + win32sys::lastErrorText();
    return static_cast<win32::HMODULE>(module);
}

win32::FARPROC Win32Libraries::GetProcAddress(win32::HMODULE module, const char* name) {
    void* function = win32sys::procAddress(module, name);
    if (function == nullptr) lastError = std::string(name ? name : "") + ": " + win32sys::lastErrorText();
    return reinterpret_cast<win32::FARPROC>(function);
}

win32::BOOL Win32Libraries::FreeLibrary(win32::HMODULE module) {
    if (win32sys::freeLibrary(module)) return 1;
    lastError = win32sys::lastErrorText();
    return 0;
}

std::string Win32Libraries::lastLibraryError() { return lastError; }

}  // namespace platform::win32impl
