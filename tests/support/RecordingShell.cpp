#include "tests/support/RecordingShell.h"

namespace testsupport {

long RecordingShell::ShellExecuteA(const std::string& operation, const std::string& file,
                                   const std::string& parameters, const std::string& directory) {
    opened.push_back({operation, file, parameters, directory});
    return 42;
}

bool RecordingShell::startProgram(const std::string& program,
                                  const std::vector<std::string>& args) {
    started.push_back({program, args});
    return startSucceeds;
}

std::vector<std::string> RecordingShell::startedPrograms() const {
    std::vector<std::string> programs;
    for (const Started& start : started) programs.push_back(start.program);
    return programs;
}

}  // namespace testsupport
