// rmwctl history / undo / confirm: the configurations kept from before the last applies,
// putting the latest back, and keeping an apply that was set to revert itself.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "config/UndoHistory.h"
#include "tools/rmwctl/ApplyFile.h"
#include "tools/rmwctl/TargetSystem.h"
#include "tools/rmwctl/Verb.h"

namespace rmwctl {
namespace fs = std::filesystem;

namespace {

// The revert an apply --revert-after arranged and no confirm has called off yet: the file
// holds a token that the reverting process must still find there.
fs::path pendingRevertFile(Io io) {
    return usedSystem(io).stateFolder() / "revert-pending";
}

std::string readAll(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::string newToken() {
    std::random_device random;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(now) + "-" + std::to_string(random()) + std::to_string(random());
}

void undoLatest(Io io) {
    const std::vector<undo::Snapshot> snapshots = undo::history();
    if (snapshots.empty()) throw Failure("there is no apply to undo");
    const undo::Snapshot& latest = snapshots.front();
    ApplyOptions options;
    options.file = latest.file;
    options.force = true;      // a snapshot holds what the machine had, sections and all
    options.snapshot = false;  // so that undoing again goes back one more apply
    applyFile(options, io);
    undo::forget(latest);
    io.out << "restored the configuration from before '" << latest.applied << "' was applied ("
           << latest.time << " UTC)\n";
}

int historyVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("history takes no arguments");
    useMachine(io);
    int step = 1;
    for (const undo::Snapshot& snapshot : undo::history()) {
        io.out << step++ << "\t" << snapshot.time << "\t" << snapshot.applied << "\n";
    }
    return 0;
}

int undoVerb(const std::vector<std::string>& args, Io io) {
    if (args.size() == 2 && args[0] == "--revert") {
        // The revert arranged by apply --revert-after, unless confirmed meanwhile.
        const fs::path pending = pendingRevertFile(io);
        if (readAll(pending) != args[1]) return 0;
        std::error_code ignored;
        fs::remove(pending, ignored);
        undoLatest(io);
        return 0;
    }
    if (!args.empty()) throw UsageError("undo takes no arguments");
    std::error_code ignored;
    fs::remove(pendingRevertFile(io), ignored);  // undone by hand: nothing left to revert
    undoLatest(io);
    return 0;
}

int confirmVerb(const std::vector<std::string>& args, Io io) {
    if (!args.empty()) throw UsageError("confirm takes no arguments");
    const fs::path pending = pendingRevertFile(io);
    std::error_code error;
    if (!fs::remove(pending, error)) throw Failure("no apply is waiting to be confirmed");
    io.out << "the apply is kept\n";
    return 0;
}

}  // namespace

void scheduleRevert(double seconds, Io io) {
    const fs::path pending = pendingRevertFile(io);
    const std::string token = newToken();
    {
        std::ofstream stream(pending, std::ios::binary | std::ios::trunc);
        stream << token;
        if (!stream) throw Failure("cannot arrange the revert in " + pending.string());
    }
    io.err << "rmwctl: the apply reverts itself in " << seconds
           << " seconds unless 'rmwctl confirm' is run\n";
    io.err.flush();
    io.out.flush();
    usedSystem(io).startRevert(seconds, token);
}

namespace {

const VerbRegistration historyRegistration(
    "history",
    "history                           list the configurations kept from before the last\n"
    "                                  ten applies, newest first: STEP<tab>TIME (UTC)<tab>\n"
    "                                  FILE APPLIED per line",
    historyVerb);

const VerbRegistration undoRegistration(
    "undo",
    "undo                              put back the configuration from before the latest\n"
    "                                  apply (itself one whole apply); undoing again goes\n"
    "                                  back one more. Exit 1 when there is none",
    undoVerb);

const VerbRegistration confirmRegistration(
    "confirm",
    "confirm                           keep an apply made with --revert-after, so that it\n"
    "                                  does not revert itself. Exit 1 when none is waiting",
    confirmVerb);

}  // namespace
}  // namespace rmwctl
