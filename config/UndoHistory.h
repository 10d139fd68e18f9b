#pragma once
// The machine's configuration as it was before each of the last ten applies, kept as
// configuration files in the platform's state folder (its "undo" folder), so that an
// apply that cut a machine off its network can be taken back. The list of snapshots,
// "history.ini" beside them, changes within the apply's transaction: a snapshot is
// listed exactly when the apply it precedes took place.

#include <string>
#include <vector>

namespace undo {

struct Snapshot {
    int number = 0;
    std::string file;     // the saved configuration
    std::string applied;  // the file whose apply it precedes
    std::string time;     // when, "YYYY-MM-DD HH:MM:SS" UTC
};

inline constexpr int kKept = 10;

// The listed snapshots, newest first.
std::vector<Snapshot> history();
// Saves the machine's current configuration (every installed group) as the newest
// snapshot, before APPLIED is applied, and lists it; the oldest beyond ten go. Does
// nothing when the platform keeps no state or snapshots are suppressed.
void takeSnapshot(const std::string& applied);
// Takes the snapshot off the list and removes its file (after it has been applied back).
void forget(const Snapshot& snapshot);

// While one lives, applies take no snapshot: applying a snapshot back must not push a
// new one, so that undoing twice goes back two applies.
class SuppressSnapshots {
  public:
    SuppressSnapshots();
    ~SuppressSnapshots();
    SuppressSnapshots(const SuppressSnapshots&) = delete;
    SuppressSnapshots& operator=(const SuppressSnapshots&) = delete;
};

}  // namespace undo
