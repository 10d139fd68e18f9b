#pragma once
// One tray utility per user and machine: the first start holds a lock file named after
// the machine's folder in the user's runtime folder; a second start finds it held.
// A lock left by a utility that crashed is taken over.

#include <QLockFile>
#include <filesystem>
#include <memory>

class SingleInstance {
  public:
    explicit SingleInstance(const std::filesystem::path& machineFolder);

    // True when this process is now the only utility for the machine.
    bool acquire();

  private:
    std::unique_ptr<QLockFile> lock_;
};
