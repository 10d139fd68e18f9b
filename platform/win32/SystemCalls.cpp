#include "platform/win32/SystemCalls.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>
#include <winspool.h>

#include <memory>

namespace platform::win32sys {
namespace {

HKEY native(Handle key) { return reinterpret_cast<HKEY>(key); }
DWORD* dwords(std::uint32_t* value) { return reinterpret_cast<DWORD*>(value); }
const char* orNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}
const char* orNullIfEmpty(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Calls READ(buffer, size), which answers like GetWindowsDirectoryA, with a buffer that
// grows until the text fits.
template <typename Read>
std::string readGrowing(Read read) {
    for (DWORD size = MAX_PATH + 1;; size *= 2) {
        std::string text(size, '\0');
        const DWORD length = read(text.data(), size);
        if (length == 0) return "";
        if (length < size) return text.substr(0, length);
    }
}

// Calls READ(buffer, size), which answers like GetPrivateProfileStringA: a text that
// does not fit comes back cut to size - 1 characters.
template <typename Read>
std::string readProfile(Read read) {
    for (DWORD size = 1024;; size *= 2) {
        std::string text(size, '\0');
        const DWORD length = read(text.data(), size);
        if (length + 1 < size) return text.substr(0, length);
    }
}

}  // namespace

Handle predefinedKey(std::uint32_t root) {
    // The predefined keys are the root's number sign-extended to a pointer.
    return static_cast<Handle>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

long regOpenKey(Handle key, const char* subKey, std::uint32_t options, std::uint32_t access,
                Handle* result) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(native(key), subKey, options, access, &opened);
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<Handle>(opened);
    return status;
}

long regCloseKey(Handle key) { return RegCloseKey(native(key)); }

long regQueryInfoKey(Handle key, char* keyClass, std::uint32_t* classLength,
                     std::uint32_t* subKeys, std::uint32_t* longestSubKey,
                     std::uint32_t* longestClass, std::uint32_t* values,
                     std::uint32_t* longestValueName, std::uint32_t* longestValueData,
                     std::uint32_t* securityDescriptor, std::uint32_t* lastWriteTime) {
    return RegQueryInfoKeyA(native(key), keyClass, dwords(classLength), nullptr, dwords(subKeys),
                            dwords(longestSubKey), dwords(longestClass), dwords(values),
                            dwords(longestValueName), dwords(longestValueData),
                            dwords(securityDescriptor), reinterpret_cast<FILETIME*>(lastWriteTime));
}

long regEnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                char* keyClass, std::uint32_t* classLength, std::uint32_t* lastWriteTime) {
    return RegEnumKeyExA(native(key), index, name, dwords(nameLength), nullptr, keyClass,
                         dwords(classLength), reinterpret_cast<FILETIME*>(lastWriteTime));
}

long regEnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) {
    return RegEnumValueA(native(key), index, name, dwords(nameLength), nullptr, dwords(type), data,
                         dwords(dataLength));
}

long regQueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* dataLength) {
    return RegQueryValueExA(native(key), name, nullptr, dwords(type), data, dwords(dataLength));
}

long regSetValue(Handle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                 std::uint32_t dataLength) {
    return RegSetValueExA(native(key), name, 0, type, data, dataLength);
}

long regCreateKey(Handle key, const char* subKey, const char* keyClass, std::uint32_t options,
                  std::uint32_t access, Handle* result, std::uint32_t* disposition) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExA(native(key), subKey, 0, const_cast<char*>(keyClass),
                                        options, access, nullptr, &created, dwords(disposition));
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<Handle>(created);
    return status;
}

long regDeleteKey(Handle key, const char* subKey) { return RegDeleteKeyA(native(key), subKey); }

long regDeleteValue(Handle key, const char* name) { return RegDeleteValueA(native(key), name); }

std::optional<VersionInfo> version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return std::nullopt;
    return VersionInfo{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                       info.dwPlatformId, info.szCSDVersion};
}

void* loadLibrary(const std::string& path) {
    return reinterpret_cast<void*>(::LoadLibraryA(path.c_str()));
}

void* procAddress(void* module, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

bool freeLibrary(void* module) { return ::FreeLibrary(static_cast<HMODULE>(module)) != 0; }

std::string lastErrorText() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                        : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

std::string windowsDirectory() {
    return readGrowing([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string systemDirectory() {
    return readGrowing([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

std::string commonAppDataFolder() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder))) return {};
    return folder;
}

std::string programPath() {
    // GetModuleFileNameA fills the whole buffer, cut, when the path does not fit.
    for (DWORD size = MAX_PATH + 1;; size *= 2) {
        std::string text(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, text.data(), size);
        if (length == 0) return "";
        if (length < size) return text.substr(0, length);
    }
}

std::string privateProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::string& file) {
    return readProfile([&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                        size, file.c_str());
    });
}

bool writePrivateProfileString(const std::string& section, const std::optional<std::string>& key,
                               const std::optional<std::string>& value, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), orNull(key), orNull(value), file.c_str());
}

std::string profileString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) {
    return readProfile([&](char* buffer, DWORD size) {
        return GetProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size);
    });
}

bool writeProfileString(const std::string& section, const std::optional<std::string>& key,
                        const std::optional<std::string>& value) {
    return WriteProfileStringA(section.c_str(), orNull(key), orNull(value));
}

std::vector<PrinterInfo> printers() {
    const DWORD kinds = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(kinds, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<PrinterInfo> found;
    if (needed == 0) return found;
    // PRINTER_INFO_2A records point into the same buffer; it must be aligned for them.
    auto buffer = std::make_unique<PRINTER_INFO_2A[]>(needed / sizeof(PRINTER_INFO_2A) + 1);
    if (!EnumPrintersA(kinds, nullptr, 2, reinterpret_cast<BYTE*>(buffer.get()), needed, &needed,
                       &count)) {
        return found;
    }
    auto text = [](const char* value) { return std::string(value ? value : ""); };
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& printer = buffer[i];
        found.push_back({text(printer.pPrinterName), text(printer.pDriverName),
                         text(printer.pPortName)});
    }
    return found;
}

bool enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME,
                                         &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                   // AdjustTokenPrivileges succeeds even when the token lacks the privilege.
                   GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return enabled;
}

bool exitWindows(unsigned flags, std::uint32_t reserved) {
    return ExitWindowsEx(flags, reserved) != FALSE;
}

bool setSystemPowerState(bool suspend, bool force) {
    return SetSystemPowerState(suspend, force) != FALSE;
}

long sendMessageTimeout(std::uintptr_t window, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam, unsigned flags, unsigned timeout,
                        std::uintptr_t* result) {
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam,
                                             lParam, flags, timeout, &answer);
    if (result != nullptr) *result = answer;
    return static_cast<long>(sent);
}

std::uintptr_t broadcastWindow() { return reinterpret_cast<std::uintptr_t>(HWND_BROADCAST); }

long shellExecute(const std::string& operation, const std::string& file,
                  const std::string& parameters, const std::string& directory) {
    HINSTANCE result = ShellExecuteA(nullptr, orNullIfEmpty(operation), file.c_str(),
                                     orNullIfEmpty(parameters), orNullIfEmpty(directory),
                                     SW_SHOWNORMAL);
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

bool createProcess(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into the command line
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::optional<FileFacts> fileFacts(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return FileFacts{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     (attributes & FILE_ATTRIBUTE_READONLY) != 0,
                     (attributes & FILE_ATTRIBUTE_DEVICE) != 0};
}

bool moveFileReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()); }

std::string fullPath(const std::string& path) {
    const std::string full = readGrowing([&](char* buffer, DWORD size) {
        return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
    return full.empty() ? path : full;
}

}  // namespace platform::win32sys
