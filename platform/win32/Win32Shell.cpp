#include "platform/win32/Win32Shell.h"

#include "platform/win32/SystemCalls.h"

namespace platform::win32impl {
namespace {

// WORD quoted as the C runtime reads a command line: backslashes count only before a
// double quote, where each one is doubled.
std::string quoted(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos) return word;
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, '\\');
    return text + '"';
}

}  // namespace

long Win32Shell::ShellExecuteA(const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory) {
    return win32sys::shellExecute(operation, file, parameters, directory);
}

bool Win32Shell::startProgram(const std::string& program, const std::vector<std::string>& args) {
    return win32sys::createProcess(commandLine(program, args));
}

std::string Win32Shell::commandLine(const std::string& program,
                                    const std::vector<std::string>& args) {
    std::string line = quoted(program);
    for (const auto& arg : args) line += ' ' + quoted(arg);
    return line;
}

}  // namespace platform::win32impl
