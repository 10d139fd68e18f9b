#pragma once
// Opening documents and starting programs on the running Windows system.

#include "platform/Shell.h"

namespace platform::win32impl {

class Win32Shell : public Shell {
  public:
    long ShellExecuteA(const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory) override;
    bool startProgram(const std::string& program, const std::vector<std::string>& args) override;

    // PROGRAM and ARGS as one command line that the C runtime of the started program
    // splits back into the same words.
    static std::string commandLine(const std::string& program,
                                   const std::vector<std::string>& args);
};

}  // namespace platform::win32impl
