#include "platform/win32/TrialSystem.h"

#include <map>
#include <system_error>

#include "platform/AsciiText.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/TrialRegistry.h"
#include "platform/win32/Win32Printers.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Services.h"

namespace platform::win32impl {
namespace {

namespace fs = std::filesystem;

// Files as the trial sees them: a file is copied into the scratch folder the first time
// it is written, and from then on the copy stands for it.
class TrialFiles : public FileSystem {
  public:
    TrialFiles(FileSystem& base, fs::path scratch) : base_(base), scratch_(std::move(scratch)) {}

    fs::path toNative(const std::string& windowsPath) override {
        auto copy = copies_.find(identity(windowsPath));
        return copy != copies_.end() ? copy->second : base_.toNative(windowsPath);
    }
    std::string toWindows(const fs::path& nativePath) override {
        return base_.toWindows(nativePath);
    }
    bool fileExists(const std::string& windowsPath) override {
        auto copy = copies_.find(identity(windowsPath));
        if (copy == copies_.end()) return base_.fileExists(windowsPath);
        std::error_code error;
        return fs::is_regular_file(copy->second, error);
    }
    bool writeWholeFile(const std::string& windowsPath, const std::string& contents) override {
        return FileSystem::writeWholeFile(writable(windowsPath, false).string(), contents);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        const fs::path source = writable(from, true);
        const fs::path target = writable(to, false);
        std::error_code error;
        fs::rename(source, target, error);
        return !error;
    }
    bool deleteFile(const std::string& windowsPath) override {
        std::error_code error;
        fs::remove(writable(windowsPath, false), error);
        return !error;
    }

    // The copy that stands for WINDOWSPATH in the trial, made (with the file's contents
    // when KEEP is true) when there is none yet.
    fs::path writable(const std::string& windowsPath, bool keep) {
        const std::string name = identity(windowsPath);
        auto copy = copies_.find(name);
        if (copy != copies_.end()) return copy->second;
        const fs::path made = scratch_ / ("file" + std::to_string(copies_.size()));
        if (keep && base_.fileExists(windowsPath)) {
            std::error_code error;
            fs::copy_file(base_.toNative(windowsPath), made, error);
        }
        return copies_[name] = made;
    }

  private:
    // The one name of a file however it is written: its full path, without case.
    static std::string identity(const std::string& windowsPath) {
        return upperAscii(win32sys::fullPath(windowsPath));
    }

    FileSystem& base_;
    fs::path scratch_;
    std::map<std::string, fs::path> copies_;
};

// Profile strings of the trial: files are read and written through their trial copies,
// with Windows' own profile functions; on Windows NT the [windows] section of win.ini is
// the registry's, as Windows keeps it, so it is read from and written to the trial's.
class TrialProfiles : public ProfileStrings {
  public:
    TrialProfiles(TrialFiles& files, Registry& registry, SystemInfo& system)
        : files_(files), registry_(registry), system_(system) {}

    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue,
                                         const std::string& fileName) override {
        if (fileName.empty()) return defaultValue;
        if (isMapped(section, fileName)) return mappedValue(key).value_or(defaultValue);
        return real_.GetPrivateProfileStringA(section, key, defaultValue,
                                              files_.toNative(inFolder(fileName)).string());
    }
    win32::BOOL WritePrivateProfileStringA(const std::string& section,
                                           const std::optional<std::string>& key,
                                           const std::optional<std::string>& value,
                                           const std::string& fileName) override {
        if (fileName.empty()) return 0;
        if (isMapped(section, fileName)) return writeMapped(key, value);
        return real_.WritePrivateProfileStringA(
            section, key, value, files_.writable(inFolder(fileName), true).string());
    }
    std::string GetProfileStringA(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override {
        return GetPrivateProfileStringA(section, key, defaultValue, winIni());
    }
    win32::BOOL WriteProfileStringA(const std::string& section,
                                    const std::optional<std::string>& key,
                                    const std::optional<std::string>& value) override {
        return WritePrivateProfileStringA(section, key, value, winIni());
    }
    // A session works on the trial's copy of the file, made when it begins.
    bool beginWriteSession(const std::string& fileName,
                           const std::string& initialContents) override {
        return real_.beginWriteSession(trialCopy(fileName), initialContents);
    }
    bool commitWriteSession(const std::string& fileName) override {
        return real_.commitWriteSession(trialCopy(fileName));
    }
    void endWriteSession(const std::string& fileName) override {
        real_.endWriteSession(trialCopy(fileName));
    }
    std::string writeSessionContents(const std::string& fileName) override {
        return real_.writeSessionContents(trialCopy(fileName));
    }

  private:
    static constexpr const char* kMappedKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

    std::string winIni() { return system_.GetWindowsDirectoryA() + "\\win.ini"; }
    std::string trialCopy(const std::string& fileName) {
        return files_.writable(inFolder(fileName), true).string();
    }
    // As Windows: a file named without a folder lives in the Windows folder.
    std::string inFolder(const std::string& fileName) {
        if (fileName.find_first_of("\\/:") != std::string::npos) return fileName;
        return system_.GetWindowsDirectoryA() + "\\" + fileName;
    }
    bool isMapped(const std::string& section, const std::string& fileName) {
        win32::OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = win32::OSVERSIONINFOA_SIZE;
        const bool nt = system_.GetVersionExA(&version) &&
                        version.dwPlatformId == win32::VER_PLATFORM_WIN32_NT;
        return nt && equalsIgnoringCase(trimBlanks(section), "windows") &&
               equalsIgnoringCase(win32sys::fullPath(inFolder(fileName)),
                                  win32sys::fullPath(winIni()));
    }
    std::optional<std::string> mappedValue(const std::string& name) {
        win32::HKEY key = 0;
        if (registry_.RegOpenKeyExA(win32::HKEY_CURRENT_USER, kMappedKey, 0, win32::KEY_READ,
                                    &key) != win32::ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::string data(4096, '\0');
        win32::DWORD size = static_cast<win32::DWORD>(data.size());
        const win32::LONG result =
            registry_.RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                       reinterpret_cast<win32::BYTE*>(data.data()), &size);
        registry_.RegCloseKey(key);
        if (result != win32::ERROR_SUCCESS) return std::nullopt;
        return stripTerminator(data.substr(0, size));
    }
    win32::BOOL writeMapped(const std::optional<std::string>& name,
                            const std::optional<std::string>& value) {
        win32::HKEY key = 0;
        if (registry_.RegCreateKeyExA(win32::HKEY_CURRENT_USER, kMappedKey, 0, nullptr, 0,
                                      win32::KEY_ALL_ACCESS, nullptr, &key,
                                      nullptr) != win32::ERROR_SUCCESS) {
            return 0;
        }
        win32::LONG result = win32::ERROR_SUCCESS;
        if (!name) {
            // The whole section: every value of the key.
            char valueName[256];
            win32::DWORD length = sizeof valueName;
            while (registry_.RegEnumValueA(key, 0, valueName, &length, nullptr, nullptr, nullptr,
                                           nullptr) == win32::ERROR_SUCCESS) {
                registry_.RegDeleteValueA(key, valueName);
                length = sizeof valueName;
            }
        } else if (!value) {
            registry_.RegDeleteValueA(key, name->c_str());
        } else {
            const std::string data = *value + '\0';
            result = registry_.RegSetValueExA(key, name->c_str(), 0, win32::REG_SZ,
                                              reinterpret_cast<const win32::BYTE*>(data.data()),
                                              static_cast<win32::DWORD>(data.size()));
        }
        registry_.RegCloseKey(key);
        return result == win32::ERROR_SUCCESS ? 1 : 0;
    }

    TrialFiles& files_;
    Registry& registry_;
    SystemInfo& system_;
    Win32ProfileStrings real_;
};

// Restarts, suspends and broadcasts of the trial: none is carried out.
class TrialPower : public Power {
  public:
    win32::BOOL ExitWindowsEx(win32::UINT, win32::DWORD) override { return 1; }
    win32::BOOL SetSystemPowerState(win32::BOOL, win32::BOOL) override { return 1; }
    long SendMessageTimeoutA(win32::HWND, win32::UINT, std::uintptr_t, std::intptr_t,
                             win32::UINT, win32::UINT, std::uintptr_t* lpdwResult) override {
        if (lpdwResult != nullptr) *lpdwResult = 0;
        return 1;
    }
};

// Documents and programs of the trial: nothing is opened or started.
class TrialShell : public Shell {
  public:
    static constexpr long kStarted = 42;
    long ShellExecuteA(const std::string&, const std::string&, const std::string&,
                       const std::string&) override {
        return kStarted;
    }
    bool startProgram(const std::string&, const std::vector<std::string>&) override {
        return true;
    }
};

}  // namespace

struct TrialSystem::Parts {
    Parts(Win32System& system, const fs::path& scratch)
        : base(system.services()),
          registry(*base.registry),
          files(*base.files, scratch),
          profiles(files, registry, *base.system),
          printers(profiles) {}

    Services base;
    TrialRegistry registry;
    TrialFiles files;
    TrialProfiles profiles;
    Win32Printers printers;
    TrialPower power;
    TrialShell shell;
};

TrialSystem::TrialSystem(Win32System& system, const fs::path& scratch)
    : parts_(std::make_unique<Parts>(system, scratch)) {}

TrialSystem::~TrialSystem() = default;

Services TrialSystem::services() {
    Services services = parts_->base;
    services.registry = &parts_->registry;
    services.profiles = &parts_->profiles;
    services.files = &parts_->files;
    services.printers = &parts_->printers;
    services.power = &parts_->power;
    services.shell = &parts_->shell;
    services.ui = nullptr;
    return services;
}

}  // namespace platform::win32impl
