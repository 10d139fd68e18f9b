#pragma once
// A throw-away emulated machine for one test: made from a built-in template in a fresh
// temporary folder, installed as the process's platform services (with a scripted user
// interface) for the object's lifetime, and removed afterwards.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "platform/emulated/Machine.h"
#include "tests/support/ScriptedUserInterface.h"

namespace testsupport {

class TestMachine {
public:
    explicit TestMachine(const std::string& templateName = "win98");
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    platform::emulated::Machine& machine();
    ScriptedUserInterface& ui();
    const std::filesystem::path& folder() const;
    // The services installed for this test; a test may replace one of them (for example
    // the registry with a recording wrapper) through install().
    platform::Services services() const;
    void install(const platform::Services& services);
    // The restarts, shutdowns and suspends the machine was asked for, oldest first.
    std::vector<std::string> powerRequests() const;

private:
    std::filesystem::path folder_;
    std::unique_ptr<platform::emulated::Machine> machine_;
    ScriptedUserInterface ui_;
    platform::Services services_;
    std::unique_ptr<platform::ScopedServices> scope_;
};

// A fresh, empty temporary folder removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
