#include "platform/emulated/DesktopShell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

#include "platform/AsciiText.h"

extern char** environ;

namespace platform::emulated {
namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    return concat({"\"", argument, "\""});
}

std::string describe(const std::string& program, const std::vector<std::string>& args) {
    std::string text = quoted(program);
    for (const auto& arg : args) {
        text += ' ';
        text += quoted(arg);
    }
    return text;
}

// Collects the child's exit status so that it does not stay behind as a zombie; the
// program itself runs on independently of this process.
void reapInBackground(pid_t child) {
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

class SpawnSetup {
  public:
    SpawnSetup() {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
        // Its own session, as a program started from the Windows shell is independent.
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID);
    }
    ~SpawnSetup() {
        ::posix_spawnattr_destroy(&attributes_);
        ::posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    void workIn(const fs::path& folder) {
        ::posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
    }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

  private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

}  // namespace

DesktopShell::DesktopShell(FileSystem& files, EventLog& log, std::vector<std::string> opener)
    : files_(files), log_(log), opener_(std::move(opener)) {}

bool DesktopShell::spawnDetached(const std::vector<std::string>& command,
                                 const fs::path& workingFolder) {
    if (command.empty() || command[0].empty()) return false;
    std::vector<char*> argv;
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    SpawnSetup setup;
    std::error_code error;
    if (!workingFolder.empty() && fs::is_directory(workingFolder, error))
        setup.workIn(workingFolder);
    pid_t child = 0;
    // A bare name is looked up in PATH; anything with a folder is taken as it stands.
    const bool searchPath = command[0].find('/') == std::string::npos;
    const int result = searchPath ? ::posix_spawnp(&child, argv[0], setup.actions(),
                                                   setup.attributes(), argv.data(), environ)
                                  : ::posix_spawn(&child, argv[0], setup.actions(),
                                                  setup.attributes(), argv.data(), environ);
    if (result != 0) return false;
    reapInBackground(child);
    return true;
}

long DesktopShell::ShellExecuteA(const std::string& operation, const std::string& file,
                                 const std::string& /*parameters: documents take none*/,
                                 const std::string& directory) {
    const fs::path document = files_.toNative(file);
    std::error_code error;
    if (document.empty() || !fs::exists(document, error)) {
        log_.record(concat({"ShellExecuteA ", quoted(file), " (file not found)"}));
        return kFileNotFound;
    }
    const bool opens =
        operation.empty() || equalsIgnoringCase(operation, "open") ||
        (equalsIgnoringCase(operation, "explore") && fs::is_directory(document, error));
    std::vector<std::string> command = opener_;
    command.push_back(document.string());
    const bool started = opens && spawnDetached(command, files_.toNative(directory));
    log_.record(concat({"ShellExecuteA ", operation.empty() ? "open" : operation, " ", quoted(file),
                        started ? "" : " (no association)"}));
    return started ? kStarted : kNoAssociation;
}

bool DesktopShell::startProgram(const std::string& program, const std::vector<std::string>& args) {
    const fs::path native = files_.toNative(program);
    std::vector<std::string> command{native.string()};
    command.insert(command.end(), args.begin(), args.end());
    const bool started = !native.empty() && spawnDetached(command, {});
    log_.record(
        concat({"startProgram ", describe(program, args), started ? "" : " (not started)"}));
    return started;
}

}  // namespace platform::emulated
