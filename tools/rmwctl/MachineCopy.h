#pragma once
// A throw-away copy of an emulated machine in a temporary folder, removed with the
// object. Whatever is done to the copy (an apply, a restart) leaves the machine it was
// taken from as it was, so a command can be tried out before it is run for real.

#include <filesystem>
#include <memory>

#include "platform/Services.h"

namespace platform::emulated {
class Machine;
}

namespace rmwctl {

class TemporaryPath;

class MachineCopy {
  public:
    // Copies the machine in FOLDER; throws Failure when it cannot be copied or opened.
    explicit MachineCopy(const std::filesystem::path& folder);
    ~MachineCopy();
    MachineCopy(const MachineCopy&) = delete;
    MachineCopy& operator=(const MachineCopy&) = delete;

    // The copy's services; the user interface is left for the caller to fill in.
    platform::Services services();

  private:
    std::unique_ptr<TemporaryPath> temporary_;
    std::filesystem::path folder_;
    std::unique_ptr<platform::emulated::Machine> machine_;
};

}  // namespace rmwctl
