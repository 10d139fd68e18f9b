// The registry and profile-string workload that scripts/bench-vs-wine runs twice: built
// for this computer it calls the platform functions of platform/Win32.h on a fresh
// emulated machine; built for Windows (mingw-w64) it calls the Windows API itself, which
// the script runs under Wine. Every loop is the same source in both builds; only the
// thin adapters below differ. Prints one line per figure: "<name> <milliseconds>".
//
//   vs_wine_workload          (this computer: makes and removes a temporary machine)
//   wine vs_wine_workload.exe

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "platform/Services.h"
#include "platform/Win32.h"
#include "platform/emulated/Machine.h"
using namespace win32;
#endif

namespace {

constexpr int kRegistryReads = 20000;
constexpr int kRegistryWrites = 20000;
constexpr int kProfileKeys = 100;
constexpr int kProfileReadRounds = 200;
const char* const kBenchKey = "Software\\Roamwise Bench";

// ---- The two platforms' spellings of the same calls --------------------------------

#ifdef _WIN32
std::string temporaryFolder() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, length);
}
bool writeProfile(const char* section, const char* key, const char* value, const char* file) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}
std::size_t readProfile(const char* section, const char* key, const char* file) {
    char buffer[256];
    return GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file);
}
void removeFile(const std::string& file) {
    DeleteFileA(file.c_str());
}
#else
std::string temporaryFolder() {
    return GetTempPathA();
}
bool writeProfile(const char* section, const char* key, const char* value, const char* file) {
    return WritePrivateProfileStringA(section, key, std::string(value), file) != 0;
}
std::size_t readProfile(const char* section, const char* key, const char* file) {
    return GetPrivateProfileStringA(section, key, "", file).size();
}
void removeFile(const std::string& file) {
    std::error_code ignored;
    std::filesystem::remove(platform::files().toNative(file), ignored);
}
#endif

// ---- The workload ------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "workload: %s failed\n", what);
    std::exit(1);
}

void prepareRegistry() {
    HKEY key{};
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        fail("RegCreateKeyExA");
    }
    const char hostname[] = "roamwise-laptop";
    if (RegSetValueExA(key, "Hostname", 0, REG_SZ, reinterpret_cast<const BYTE*>(hostname),
                       sizeof hostname) != ERROR_SUCCESS) {
        fail("RegSetValueExA");
    }
    RegCloseKey(key);
}

double registryReads() {
    const auto start = Clock::now();
    for (int i = 0; i < kRegistryReads; ++i) {
        HKEY key{};
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            fail("RegOpenKeyExA");
        }
        char data[64];
        DWORD type = 0, size = sizeof data;
        if (RegQueryValueExA(key, "Hostname", nullptr, &type, reinterpret_cast<BYTE*>(data),
                             &size) != ERROR_SUCCESS || type != REG_SZ) {
            fail("RegQueryValueExA");
        }
        RegCloseKey(key);
    }
    return millisecondsSince(start);
}

double registryWrites() {
    HKEY key{};
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        fail("RegOpenKeyExA");
    }
    const auto start = Clock::now();
    for (int i = 0; i < kRegistryWrites; ++i) {
        char data[32];
        const int length = std::snprintf(data, sizeof data, "value-%d", i);
        if (RegSetValueExA(key, "Counter", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                           static_cast<DWORD>(length + 1)) != ERROR_SUCCESS) {
            fail("RegSetValueExA");
        }
    }
    const double elapsed = millisecondsSince(start);
    RegCloseKey(key);
    return elapsed;
}

const char* sectionOf(int key) {
    return key < kProfileKeys / 2 ? "Network" : "Internet Explorer";
}

double profileWrites(const std::string& file) {
    removeFile(file);
    const auto start = Clock::now();
    for (int i = 0; i < kProfileKeys; ++i) {
        char key[16], value[32];
        std::snprintf(key, sizeof key, "Key%03d", i);
        std::snprintf(value, sizeof value, "value-%d", i);
        if (!writeProfile(sectionOf(i), key, value, file.c_str())) {
            fail("WritePrivateProfileStringA");
        }
    }
    return millisecondsSince(start);
}

double profileReads(const std::string& file) {
    const auto start = Clock::now();
    std::size_t total = 0;
    for (int round = 0; round < kProfileReadRounds; ++round) {
        for (int i = 0; i < kProfileKeys; ++i) {
            char key[16];
            std::snprintf(key, sizeof key, "Key%03d", i);
            total += readProfile(sectionOf(i), key, file.c_str());
        }
    }
    const double elapsed = millisecondsSince(start);
    // "value-0".."value-9" have 7 characters, "value-10".."value-99" 8.
    if (total != static_cast<std::size_t>(kProfileReadRounds) * (10 * 7 + 90 * 8)) {
        fail("GetPrivateProfileStringA (wrong values)");
    }
    return elapsed;
}

void runWorkload() {
    prepareRegistry();
    const std::string file = temporaryFolder() + "roamwise-bench.ini";
    std::printf("registry-reads %.3f\n", registryReads());
    std::printf("registry-writes %.3f\n", registryWrites());
    std::printf("profile-writes %.3f\n", profileWrites(file));
    std::printf("profile-reads %.3f\n", profileReads(file));
    removeFile(file);
}

}  // namespace

#ifdef _WIN32
int main() {
    runWorkload();
    return 0;
}
#else
int main() {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/roamwise-vs-wine.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) fail("mkdtemp");
    const fs::path folder = pattern;
    int status = 0;
    try {
        auto machine = platform::emulated::Machine::create(folder / "machine", "win98");
        platform::ScopedServices services(machine->services());
        runWorkload();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "workload: %s\n", failure.what());
        status = 1;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}
#endif
