// The contract on Linux: each test gets a fresh emulated machine.

#include <filesystem>

#include "tests/contract/ContractSystem.h"
#include "tests/support/TestMachine.h"

namespace contract {

struct ContractSystem::System {
    explicit System(const std::string& variant) : machine(variant) {}
    testsupport::TestMachine machine;
};

std::vector<std::string> ContractSystem::variants() { return {"win98", "nt4"}; }

bool runningUnderWine() { return false; }

ContractSystem::ContractSystem(const std::string& variant)
    : system_(std::make_unique<System>(variant)), scratchFolder_("C:\\Contract") {
    std::filesystem::create_directories(platform::files().toNative(scratchFolder_));
}

ContractSystem::~ContractSystem() = default;

bool ContractSystem::isEmulated() const { return true; }

}  // namespace contract
