#pragma once
// Finds the dialog library beside this library, loads it the first time the dialog is
// asked for, and runs the dialog.

#include "HostEntry.h"

namespace hostsaddin {

// Runs the editing dialog on ENTRIES; true when the user pressed OK (ENTRIES then holds
// the edited list). Throws AddInError when the dialog cannot be shown.
bool runHostsDialog(HostList& entries);

}  // namespace hostsaddin
