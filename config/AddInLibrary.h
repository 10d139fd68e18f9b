#pragma once
// An add-in library loaded into the process: its table of functions (the binary
// interface of addins/sdk/RoamwiseAddIn.h), checked once when the library is loaded.
// Each library is loaded once per process and kept, so creating an add-in a second time
// costs no loading; objects hold their library for as long as they live.

#include <memory>
#include <mutex>
#include <string>

#include "addins/sdk/RoamwiseAddIn.h"
#include "platform/Win32Types.h"

class AddInLibrary {
  public:
    // The library at the machine path PATH, loading it on first use. Raises error 429
    // ("ActiveX component can't create object") with CLASSID as its source and the cause
    // in the description when the library cannot be loaded, exports no entry point,
    // speaks another interface version or answers with an incomplete table.
    static std::shared_ptr<AddInLibrary> load(const std::string& path,
                                              const std::string& classId);
    // Forgets every loaded library that no object uses any more and unloads it, so the
    // next load starts afresh (for benchmarks and tests that replace a library).
    static void unloadUnused();

    AddInLibrary(const AddInLibrary&) = delete;
    AddInLibrary& operator=(const AddInLibrary&) = delete;

    const rmw_addin_library& table() const { return *table_; }
    // The machine path the library was loaded from.
    const std::string& path() const { return path_; }
    // Calls on one library's objects are made one at a time: a library built for a
    // single-threaded host need not guard its own state. A call may
    // reach the library again through the host (a dialog the add-in opens), hence recursive.
    std::recursive_mutex& callLock() { return callLock_; }

  private:
    AddInLibrary(std::string path, win32::HMODULE module, const rmw_addin_library* table);
    static std::shared_ptr<AddInLibrary> open(const std::string& path, const std::string& classId);

    std::string path_;
    win32::HMODULE module_;
    const rmw_addin_library* table_;
    std::recursive_mutex callLock_;
};

// The error number and text of a failed object creation.
inline constexpr int kCannotCreateObject = 429;
inline constexpr const char* kCannotCreateText = "ActiveX component can't create object";
// Raises error 429 for CLASSID, naming CAUSE in the description when there is one.
[[noreturn]] void raiseCannotCreate(const std::string& classId, const std::string& cause = "");
