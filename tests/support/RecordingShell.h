#pragma once
// A shell for tests that notes the documents it is asked to open and the programs it is
// asked to start instead of opening or starting them.

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace testsupport {

class RecordingShell : public platform::Shell {
public:
    struct Opened {
        std::string operation, file, parameters, directory;
    };
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
    };

    // Reports success (a value above 32).
    long ShellExecuteA(const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory) override;
    // Reports startSucceeds.
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override;

    // The programs started, by path.
    std::vector<std::string> startedPrograms() const;

    std::vector<Opened> opened;
    std::vector<Started> started;
    bool startSucceeds = true;
};

}  // namespace testsupport
