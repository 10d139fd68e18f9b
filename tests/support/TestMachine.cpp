#include "tests/support/TestMachine.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

#include "platform/emulated/EventLog.h"

namespace testsupport {
namespace {

std::filesystem::path makeTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "roamwise-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    }
    return pattern;
}

}  // namespace

TestMachine::TestMachine(const std::string& templateName) : folder_(makeTempFolder()) {
    machine_ = platform::emulated::Machine::create(folder_, templateName);
    services_ = machine_->services();
    services_.ui = &ui_;
    scope_ = std::make_unique<platform::ScopedServices>(services_);
}

TestMachine::~TestMachine() {
    scope_.reset();
    machine_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

platform::emulated::Machine& TestMachine::machine() {
    return *machine_;
}
ScriptedUserInterface& TestMachine::ui() {
    return ui_;
}
const std::filesystem::path& TestMachine::folder() const {
    return folder_;
}
platform::Services TestMachine::services() const {
    return services_;
}

void TestMachine::install(const platform::Services& services) {
    services_ = services;
    platform::installServices(services_);
}

std::vector<std::string> TestMachine::powerRequests() const {
    std::vector<std::string> requests;
    for (const auto& request : platform::emulated::EventLog(machine_->eventLogFile()).requests()) {
        if (request.rfind("ExitWindowsEx", 0) == 0 ||
            request.rfind("SetSystemPowerState", 0) == 0) {
            requests.push_back(request);
        }
    }
    return requests;
}

TempFolder::TempFolder() : path_(makeTempFolder()) {}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

}  // namespace testsupport
