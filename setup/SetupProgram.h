#pragma once
// The setup package from start to end: read the header behind the setup program,
// check the administrator requirement, rebuild the package in the working folder,
// show the main dialog (which extracts, runs the INF step and removes the extracted
// files), and finally delete the rebuilt package and the working folder.

#include <optional>
#include <string>
#include <vector>

namespace setup {

struct SetupOutcome {
    bool installed = false;  // extraction and the INF step ran
    std::vector<std::string> extracted;
    std::optional<unsigned long> infExitCode;
    std::string workingFolder;
};

class SetupProgram {
  public:
    // SETUPFILE is the package's own file (part 0), a Windows or native path.
    explicit SetupProgram(std::string setupFile) : setupFile_(std::move(setupFile)) {}

    SetupOutcome run();

  private:
    std::string setupFile_;
};

}  // namespace setup
