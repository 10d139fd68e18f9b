#pragma once
// Applying a configuration file as rmw does when started with it; shared by apply, undo
// and the revert that apply --revert-after arranges.

#include <string>

#include "tools/rmwctl/Verb.h"

namespace rmwctl {

struct ApplyOptions {
    std::string file;
    bool force = false;        // apply even when a switched-on group's section is missing
    double waitSeconds = 60;   // for another program's apply to end
    double revertAfter = -1;   // seconds until the apply reverts itself unless confirmed
    bool snapshot = true;      // keep the configuration before it for undo
};

// Checks FILE whole, then applies it under the machine's apply lock; throws Failure
// saying what was not applied.
void applyFile(const ApplyOptions& options, Io io);

// After an apply: reverts it in SECONDS unless rmwctl confirm is run first.
void scheduleRevert(double seconds, Io io);

}  // namespace rmwctl
