// rmwctl setup and uninstall: run a setup package against the machine, and the
// uninstall entry it made.

#include <memory>

#include "platform/Win32.h"
#include "platform/console/ConsoleUserInterface.h"
#include "platform/emulated/EventLog.h"
#include "platform/emulated/Machine.h"
#include "setup/SetupProgram.h"
#include "setup/UnattendedAnswers.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Roamwise";

std::unique_ptr<platform::emulated::Machine> openMachine() {
    try {
        return platform::emulated::Machine::openDefault();
    } catch (const platform::emulated::MachineError& error) {
        throw Failure(error.what());
    }
}

// Prints what the machine recorded since FIRST (its INF installer's steps among them).
void printEvents(const platform::emulated::Machine& machine, std::size_t first, Io io) {
    const auto events = platform::emulated::EventLog(machine.eventLogFile()).requests();
    for (std::size_t i = first; i < events.size(); ++i) io.out << events[i] << "\n";
}

std::size_t eventCount(const platform::emulated::Machine& machine) {
    return platform::emulated::EventLog(machine.eventLogFile()).requests().size();
}

int setupVerb(const std::vector<std::string>& args, Io io) {
    std::string package;
    bool unattended = false;
    for (const auto& arg : args) {
        if (arg == "--unattended") unattended = true;
        else if (arg.rfind("--", 0) == 0) throw UsageError("unknown option '" + arg + "'");
        else if (package.empty() && !arg.empty()) package = arg;
        else throw UsageError("setup takes one package");
    }
    if (package.empty()) throw UsageError("setup needs a package");
    auto machine = openMachine();
    platform::ConsoleUserInterface console(io.err);
    if (unattended) setup::answerUnattended(console);
    platform::Services services = machine->services();
    services.ui = &console;
    platform::ScopedServices scope(services);
    const std::size_t before = eventCount(*machine);
    const setup::SetupOutcome outcome = setup::SetupProgram(package).run();
    for (const auto& file : outcome.extracted) io.out << "Extracted " << file << "\n";
    printEvents(*machine, before, io);
    if (!outcome.installed) {
        io.err << "rmwctl: setup did not install (" << (unattended ? "it stopped" : "use --unattended to answer its questions") << ")\n";
        return 1;
    }
    return outcome.infExitCode.value_or(1) == 0 ? 0 : 1;
}

std::string uninstallCommand() {
    win32::HKEY key = 0;
    if (win32::RegOpenKeyExA(win32::HKEY_LOCAL_MACHINE, kUninstallKey, 0, win32::KEY_READ, &key) !=
        win32::ERROR_SUCCESS)
        throw Failure("Roamwise is not installed: the machine has no uninstall entry");
    char data[1024] = {};
    win32::DWORD size = sizeof data;
    win32::DWORD type = 0;
    const auto result = win32::RegQueryValueExA(key, "UninstallString", nullptr, &type,
                                                reinterpret_cast<win32::BYTE*>(data), &size);
    win32::RegCloseKey(key);
    if (result != win32::ERROR_SUCCESS || type != win32::REG_SZ || size < 2)
        throw Failure("the uninstall entry of Roamwise has no UninstallString");
    return std::string(data, size - 1);
}

int uninstallVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("uninstall takes no arguments");
    auto machine = openMachine();
    platform::ConsoleUserInterface console(io.err);
    platform::Services services = machine->services();
    services.ui = &console;
    platform::ScopedServices scope(services);
    const std::size_t before = eventCount(*machine);
    const std::string command = uninstallCommand();
    win32::PROCESS_INFORMATION process;
    if (!win32::CreateProcessA(command, 0, "", win32::SW_SHOWDEFAULT, &process))
        throw Failure("the uninstall command cannot be started: " + command);
    win32::WaitForSingleObject(process.hProcess, win32::INFINITE);
    win32::DWORD exitCode = 1;
    win32::GetExitCodeProcess(process.hProcess, &exitCode);
    win32::CloseHandle(process.hProcess);
    printEvents(*machine, before, io);
    return exitCode == 0 ? 0 : 1;
}

const VerbRegistration setupRegistration(
    "setup",
    "setup PACKAGE [--unattended]     run the setup package PACKAGE (e.g. build/bin/RmwSetup)\n"
    "                                  on the machine; --unattended answers Install, I agree,\n"
    "                                  overwrite all and the proposed folder; prints the\n"
    "                                  files extracted and what the INF installer did",
    setupVerb);
const VerbRegistration uninstallRegistration(
    "uninstall",
    "uninstall                         run Roamwise's uninstall entry on the machine",
    uninstallVerb);

}  // namespace
}  // namespace rmwctl
