#pragma once
// Starting programs and opening documents.

#include <string>
#include <vector>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Opens a document (for example the help page, a Windows path) with the desktop's
    // default handler. Returns a value above 32 on success, as ShellExecuteA does.
    virtual long ShellExecuteA(const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory) = 0;
    // Starts another program without waiting for it. PROGRAM is a Windows path or a
    // native path. Returns false when the program could not be started.
    virtual bool startProgram(const std::string& program, const std::vector<std::string>& args) = 0;
};

}  // namespace platform
