#pragma once
// A throw-away copy of the machine the verbs work on, removed with the object. Whatever
// is done to the copy (an apply, a restart) leaves the machine it was taken from as it
// was, so a command can be tried out before it is run for real. An emulated machine is
// copied into a temporary folder; on Windows the copy is kept in memory over the system.

#include <memory>

#include "platform/Services.h"

namespace rmwctl {

class MachineCopy {
  public:
    // Copies the machine; throws Failure when it cannot be copied or opened.
    MachineCopy();
    ~MachineCopy();
    MachineCopy(const MachineCopy&) = delete;
    MachineCopy& operator=(const MachineCopy&) = delete;

    // The copy's services; the user interface is left for the caller to fill in.
    platform::Services services();

  private:
    struct Copy;
    std::unique_ptr<Copy> copy_;
};

}  // namespace rmwctl
