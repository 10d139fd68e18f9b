#pragma once
// The private link between hosts.so and its dialog library, hosts-dialog.so, which is
// built and installed with it: the main library stays free of Qt and loads the dialog
// library only when the dialog is asked for. Both come from the same build, so the
// list crosses as a C++ object; the version guards against a stray older copy.

#include <cstdint>
#include <string>

#include "HostEntry.h"

namespace hostsaddin {

inline constexpr std::uint32_t kDialogInterfaceVersion = 1;
inline constexpr const char* kDialogLibraryName = "hosts-dialog.so";
inline constexpr const char* kDialogEntryName = "rmw_hosts_edit_entries";

enum class DialogOutcome : std::int32_t { Cancelled = 0, Accepted = 1, Failed = 2 };

// Shows the dialog modally over the running application's active window with ENTRIES;
// on OK stores the edited list in ENTRIES. On Failed, ERROR says why (no application).
using DialogEntryFunction = DialogOutcome (*)(std::uint32_t version, HostList* entries,
                                              std::string* error);

}  // namespace hostsaddin
