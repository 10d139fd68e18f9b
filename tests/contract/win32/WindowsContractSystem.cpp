// The contract on Windows: the running system, with a scratch registry key below
// HKEY_CURRENT_USER and a scratch folder below the temporary folder, both removed
// before and after each test.

#include <process.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/Win32.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/win32/Win32Services.h"
#include "tests/contract/ContractSystem.h"

namespace contract {
namespace {

namespace fs = std::filesystem;
using namespace win32;

// Removes NAME below PARENT with everything under it (Windows NT refuses to delete a
// key that still has subkeys).
void deleteTree(HKEY parent, const std::string& name) {
    HKEY key = 0;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (;;) {
        char subkey[256];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key, 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        deleteTree(key, std::string(subkey, length));
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name.c_str());
}

std::string freshFolderName() {
    static std::atomic<int> counter{0};
    return (fs::temp_directory_path() /
            ("roamwise-contract-" + std::to_string(_getpid()) + "-" +
             std::to_string(counter++)))
        .string();
}

}  // namespace

struct ContractSystem::System {
    platform::win32impl::Win32System windows;
    std::ostringstream messages;
    platform::ConsoleUserInterface console{messages};
    std::unique_ptr<platform::ScopedServices> scope;
};

std::vector<std::string> ContractSystem::variants() { return {"windows"}; }

ContractSystem::ContractSystem(const std::string&) : system_(std::make_unique<System>()) {
    platform::Services services = system_->windows.services();
    services.ui = &system_->console;
    system_->scope = std::make_unique<platform::ScopedServices>(services);
    deleteTree(HKEY_CURRENT_USER, kScratchKey);
    scratchFolder_ = freshFolderName();
    fs::remove_all(scratchFolder_);
    fs::create_directories(scratchFolder_);
}

ContractSystem::~ContractSystem() {
    deleteTree(HKEY_CURRENT_USER, kScratchKey);
    std::error_code ignored;
    fs::remove_all(scratchFolder_, ignored);
}

bool ContractSystem::isEmulated() const { return false; }

}  // namespace contract
