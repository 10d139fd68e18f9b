#pragma once
// The system a contract test runs against, fresh for each test and installed as the
// process's platform services: on Linux an emulated machine made from a built-in template;
// on Windows the running system itself (or Wine), with a scratch registry key and folder
// that are removed afterwards. The same test cases run on every one of them.

#include <memory>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace contract {

class ContractSystem {
  public:
    // The systems this build tests: the emulated templates, or "windows".
    static std::vector<std::string> variants();

    explicit ContractSystem(const std::string& variant);
    ~ContractSystem();
    ContractSystem(const ContractSystem&) = delete;
    ContractSystem& operator=(const ContractSystem&) = delete;

    bool isEmulated() const;
    // True under Wine, whose behaviour is Windows' except where a test says otherwise.
    bool isWine() const;
    // Marks a case in which Wine is known to differ from Windows, for the REASON given
    // (one line, printed with the test's result). True under Wine: the test then
    // expects Wine's behaviour, so that a change in it is seen too.
    bool wineDiffers(const std::string& reason) const;
    bool isNT() const;
    // The scratch key below HKEY_CURRENT_USER (empty at the start), as a path.
    static constexpr const char* kScratchKey = "Software\\Roamwise Contract";
    // A Windows path of an empty folder for the test's files, without a trailing backslash.
    const std::string& scratchFolder() const;

  private:
    struct System;
    std::unique_ptr<System> system_;
    std::string scratchFolder_;
};

// Whether this process runs under Wine; only the Windows build can tell.
bool runningUnderWine();

}  // namespace contract
