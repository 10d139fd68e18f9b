#pragma once
// What apply, undo and confirm need of the system rmwctl works on, beyond its services:
// the emulated machine and a Windows system each provide it.

#include <filesystem>
#include <string>

#include "tools/rmwctl/Verb.h"

namespace rmwctl {

class TargetSystem {
public:
    virtual ~TargetSystem() = default;

    // Whether the system is a Windows NT one (it keeps no workgroup of its own in the
    // settings a file may set, among other things).
    virtual bool isNT() = 0;
    // The lock that lets one apply at a time change the system, held by count within the
    // process and let go by the system when the process ends. acquire waits up to
    // WAITSECONDS for another process; false when it is still held elsewhere then.
    virtual bool acquireApplyLock(double waitSeconds) = 0;
    virtual void releaseApplyLock() = 0;
    // The folder for rmwctl's own records about the system (the revert an apply arranged).
    virtual std::filesystem::path stateFolder() = 0;
    // Starts a process, outliving this one, that runs "rmwctl undo --revert TOKEN" on this
    // system after SECONDS. Throws Failure when it cannot.
    virtual void startRevert(double seconds, const std::string& token) = 0;
};

// The system useMachine opened (opening it first when needed).
TargetSystem& usedSystem(Io io);

// Releases the apply lock taken by the caller when it goes out of scope.
class ApplyLockHold {
public:
    explicit ApplyLockHold(TargetSystem& system) : system_(system) {}
    ~ApplyLockHold() { system_.releaseApplyLock(); }
    ApplyLockHold(const ApplyLockHold&) = delete;
    ApplyLockHold& operator=(const ApplyLockHold&) = delete;

private:
    TargetSystem& system_;
};

}  // namespace rmwctl
