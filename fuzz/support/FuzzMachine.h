#pragma once
// Emulated machines for fuzz targets. A pristine machine is made once per process from
// a built-in template; each input gets a fresh copy of it, installed as the platform's
// services (with a console user interface that prints nowhere and answers every
// question with its first button), so that what one input does never reaches the next.
// Every folder is removed when the process ends normally.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "platform/Services.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/Machine.h"

namespace fuzzsupport {

class FuzzMachine {
  public:
    explicit FuzzMachine(const std::string& templateName);
    ~FuzzMachine();
    FuzzMachine(const FuzzMachine&) = delete;
    FuzzMachine& operator=(const FuzzMachine&) = delete;

    // The pristine machine, for targets that only read it.
    platform::emulated::Machine& pristine();
    // A fresh copy of the pristine machine, installed until the next call.
    platform::emulated::Machine& fresh();
    // The copy made last (a fresh one the first time), installed again: for targets
    // that do not change the machine and only need it in place.
    platform::emulated::Machine& installed();
    // A folder for the input's own files, emptied by every call of fresh().
    const std::filesystem::path& scratch() const;

  private:
    std::filesystem::path folder_;
    std::filesystem::path scratch_;
    std::unique_ptr<platform::emulated::Machine> pristine_;
    std::unique_ptr<platform::emulated::Machine> copy_;
    std::ostringstream discarded_;
    platform::ConsoleUserInterface ui_;
    std::unique_ptr<platform::ScopedServices> scope_;

    void install();
};

}  // namespace fuzzsupport
