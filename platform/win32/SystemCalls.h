#pragma once
// The real Windows API calls behind the win32 services, behind plain types. <windows.h>
// defines the registry codes, root keys and message numbers as macros, which would
// clash with the constants of the same names in platform/Win32Types.h; only
// SystemCalls.cpp sees <windows.h>, and everything else talks to Windows through here.
// The values passed and returned are Windows' own (result codes, flags, types).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::win32sys {

using Handle = std::uintptr_t;  // an HKEY as Windows gives it

// The native handle of a predefined root key (0x80000000 to 0x80000006).
Handle predefinedKey(std::uint32_t root);

long regOpenKey(Handle key, const char* subKey, std::uint32_t options, std::uint32_t access,
                Handle* result);
long regCloseKey(Handle key);
long regQueryInfoKey(Handle key, char* keyClass, std::uint32_t* classLength,
                     std::uint32_t* subKeys, std::uint32_t* longestSubKey,
                     std::uint32_t* longestClass, std::uint32_t* values,
                     std::uint32_t* longestValueName, std::uint32_t* longestValueData,
                     std::uint32_t* securityDescriptor, std::uint32_t* lastWriteTime /* [2] */);
long regEnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                char* keyClass, std::uint32_t* classLength, std::uint32_t* lastWriteTime);
long regEnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength);
long regQueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                   std::uint32_t* dataLength);
long regSetValue(Handle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                 std::uint32_t dataLength);
long regCreateKey(Handle key, const char* subKey, const char* keyClass, std::uint32_t options,
                  std::uint32_t access, Handle* result, std::uint32_t* disposition);
long regDeleteKey(Handle key, const char* subKey);
long regDeleteValue(Handle key, const char* name);

struct VersionInfo {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;
};
std::optional<VersionInfo> version();
std::string windowsDirectory();
std::string systemDirectory();
std::string programPath();
// The common application data folder (all users'); "" when Windows names none.
std::string commonAppDataFolder();

// LoadLibraryA, GetProcAddress and FreeLibrary over plain pointers; nullptr (false) on
// failure. lastErrorText: the system's message for GetLastError.
void* loadLibrary(const std::string& path);
void* procAddress(void* module, const char* name);
bool freeLibrary(void* module);
std::string lastErrorText();

std::string privateProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, const std::string& file);
bool writePrivateProfileString(const std::string& section, const std::optional<std::string>& key,
                               const std::optional<std::string>& value, const std::string& file);
std::string profileString(const std::string& section, const std::string& key,
                          const std::string& defaultValue);
bool writeProfileString(const std::string& section, const std::optional<std::string>& key,
                        const std::optional<std::string>& value);

struct PrinterInfo {
    std::string name;
    std::string driver;
    std::string port;
};
// The local and connected printers the spooler knows; nothing when it cannot be asked.
std::vector<PrinterInfo> printers();

// Enables the shutdown privilege in the process token; false when the token refuses.
bool enableShutdownPrivilege();
bool exitWindows(unsigned flags, std::uint32_t reserved);
bool setSystemPowerState(bool suspend, bool force);
long sendMessageTimeout(std::uintptr_t window, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam, unsigned flags, unsigned timeout,
                        std::uintptr_t* result);
// HWND_BROADCAST as Windows spells it (a sign-extended 0xFFFF).
std::uintptr_t broadcastWindow();

long shellExecute(const std::string& operation, const std::string& file,
                  const std::string& parameters, const std::string& directory);
// Starts COMMAND_LINE without waiting; false when it cannot be started.
bool createProcess(const std::string& commandLine);

// File attributes: nothing when the file does not exist.
struct FileFacts {
    bool directory = false;
    bool readOnly = false;
    bool device = false;
};
std::optional<FileFacts> fileFacts(const std::string& path);
bool moveFileReplacing(const std::string& from, const std::string& to);
bool deleteFile(const std::string& path);
std::string fullPath(const std::string& path);

}  // namespace platform::win32sys
