#include "platform/emulated/MachineProcesses.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/emulated/inf/InfInstaller.h"

extern char** environ;

namespace platform::emulated {
namespace fs = std::filesystem;
namespace {

// The program's name without folder and without ".exe", in lower case.
std::string programName(const std::string& program) {
    std::string name = lowerAscii(program.substr(program.find_last_of("\\/") + 1));
    if (name.size() > 4 && name.substr(name.size() - 4) == ".exe") name.resize(name.size() - 4);
    return name;
}

std::string dllName(const std::string& dll) {
    std::string name = lowerAscii(dll);
    if (name.size() > 4 && name.substr(name.size() - 4) == ".dll") name.resize(name.size() - 4);
    return name;
}

}  // namespace

MachineProcesses::MachineProcesses(FileSystem& files, Shell& shell, EventLog& log)
    : files_(files), shell_(shell), log_(log) {}

MachineProcesses::~MachineProcesses() {
    for (auto& [handle, process] : processes_) collect(process, true);
}

std::vector<std::string> MachineProcesses::splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    std::string current;
    bool quoted = false;
    bool inWord = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(std::move(current));
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(current));
    return words;
}

// RunDll32.exe SetupApi.dll,InstallHinfSection SECTION MODE FILE (and the RunDll.exe
// SetupX.dll form, which needs SetupX.dll in the system folder), and Notepad.
std::optional<int> MachineProcesses::runBuiltIn(const std::vector<std::string>& words,
                                                const std::string& commandLine) {
    const std::string program = programName(words[0]);
    if (program == "notepad") {
        if (words.size() < 2) return 0;
        const std::string document = commandLine.substr(commandLine.find(words[1]));
        return shell_.ShellExecuteA("open", std::string(trimBlanks(document)), "", "") > 32 ? 0 : 1;
    }
    if (program != "rundll32" && program != "rundll") return std::nullopt;
    if (words.size() < 2) return 1;
    const std::size_t comma = words[1].find(',');
    const std::string dll = dllName(words[1].substr(0, comma));
    const std::string entry = comma == std::string::npos ? "" : words[1].substr(comma + 1);
    const bool setupApi = program == "rundll32" && dll == "setupapi";
    const bool setupX = program == "rundll" && dll == "setupx" &&
                        files_.fileExists(platform::systemInfo().GetSystemDirectoryA() + "\\SetupX.dll");
    if (!(setupApi || setupX) || !equalsIgnoringCase(entry, "InstallHinfSection")) return std::nullopt;
    // The file is the rest of the line after the mode, so a path with blanks needs no quotes.
    if (words.size() < 5) return 1;
    std::size_t at = commandLine.find(words[3], commandLine.find(words[2], commandLine.find(words[1]) + words[1].size()) + words[2].size());
    std::string file(trimBlanks(commandLine.substr(at + words[3].size())));
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') file = file.substr(1, file.size() - 2);
    return inf::InfInstaller(log_).installHinfSection(words[2], file);
}

win32::BOOL MachineProcesses::CreateProcessA(const std::string& commandLine, win32::DWORD creationFlags,
                                             const std::string& currentDirectory, win32::WORD showWindow,
                                             win32::PROCESS_INFORMATION* info) {
    const auto words = splitCommandLine(commandLine);
    log_.record(concat({"CreateProcessA ", commandLine, " flags=", std::to_string(creationFlags),
                        " show=", std::to_string(showWindow)}));
    if (words.empty() || info == nullptr) return 0;
    Process process;
    const std::string savedFolder = files_.GetCurrentDirectoryA();
    const bool moved = !currentDirectory.empty();
    if (moved && !files_.SetCurrentDirectoryA(currentDirectory)) return 0;
    std::optional<int> builtIn = runBuiltIn(words, commandLine);
    if (builtIn) {
        process.ended = true;
        process.exitCode = static_cast<win32::DWORD>(*builtIn);
    } else {
        const fs::path native = files_.toNative(words[0]);
        std::vector<std::string> args{native.string()};
        args.insert(args.end(), words.begin() + 1, words.end());
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        std::error_code error;
        if (native.empty() || !fs::is_regular_file(native, error) ||
            ::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            log_.record("CreateProcessA: " + words[0] + " cannot be started");
            if (moved) files_.SetCurrentDirectoryA(savedFolder);
            return 0;
        }
        process.pid = child;
    }
    if (moved) files_.SetCurrentDirectoryA(savedFolder);
    const win32::HANDLE handle = nextHandle_++;
    processes_[handle] = process;
    *info = {handle, 0, static_cast<win32::DWORD>(process.pid), 0};
    return 1;
}

bool MachineProcesses::collect(Process& process, bool wait) {
    if (process.ended) return true;
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(process.pid, &status, wait ? 0 : WNOHANG)) < 0 && errno == EINTR) {
    }
    if (done == 0) return false;
    process.ended = true;
    process.exitCode = done > 0 && WIFEXITED(status) ? static_cast<win32::DWORD>(WEXITSTATUS(status)) : 1;
    return true;
}

win32::DWORD MachineProcesses::WaitForSingleObject(win32::HANDLE handle, win32::DWORD milliseconds) {
    auto found = processes_.find(handle);
    if (found == processes_.end()) return win32::WAIT_FAILED;
    if (milliseconds == win32::INFINITE) {
        collect(found->second, true);
        return win32::WAIT_OBJECT_0;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!collect(found->second, false)) {
        if (std::chrono::steady_clock::now() >= until) return win32::WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return win32::WAIT_OBJECT_0;
}

win32::BOOL MachineProcesses::GetExitCodeProcess(win32::HANDLE handle, win32::DWORD* exitCode) {
    auto found = processes_.find(handle);
    if (found == processes_.end() || exitCode == nullptr) return 0;
    collect(found->second, false);
    *exitCode = found->second.exitCode;
    return 1;
}

win32::BOOL MachineProcesses::CloseHandle(win32::HANDLE handle) {
    auto found = processes_.find(handle);
    if (found == processes_.end()) return 0;
    // A running program goes on by itself; its end is still collected.
    if (!collect(found->second, false)) {
        const int pid = found->second.pid;
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    processes_.erase(found);
    return 1;
}

}  // namespace platform::emulated
