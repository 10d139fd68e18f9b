#pragma once
// A read snapshot of a registry held for the object's lifetime (see
// Registry::beginReadSnapshot): the reads made meanwhile see one state of the registry.

#include "platform/Registry.h"

namespace platform {

class RegistryReadSnapshot {
  public:
    explicit RegistryReadSnapshot(Registry& registry) : registry_(registry) {
        registry_.beginReadSnapshot();
    }
    ~RegistryReadSnapshot() { registry_.endReadSnapshot(); }
    RegistryReadSnapshot(const RegistryReadSnapshot&) = delete;
    RegistryReadSnapshot& operator=(const RegistryReadSnapshot&) = delete;

  private:
    Registry& registry_;
};

}  // namespace platform
