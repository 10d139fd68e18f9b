#pragma once
// The hosts add-in object: the host-name entries of the configuration in hand, kept in
// the configuration file's own section and applied to the machine's HOSTS file.
//
// The list starts as the entries the HOSTS file's Roamwise block holds now, so that
// saving the machine's current configuration keeps them. Loading a file replaces the
// list with the file's entries as written, even when some are refused: saving again
// loses none of them, while applying refuses until they are corrected (in the dialog
// or the file). Applying an empty list removes the block, so that switching to a place
// without entries takes the previous place's entries away.

#include <string>

#include "HostEntry.h"
#include "HostServices.h"

namespace hostsaddin {

class HostsAddIn {
  public:
    explicit HostsAddIn(const HostServices& host);

    // Reads the list from FILE's section; throws AddInError naming a refused entry (the
    // list is then the file's nonetheless).
    void loadSettings(const std::string& file);
    void saveSettings(const std::string& file);
    // Rewrites the HOSTS file's block with the list; throws AddInError, with the HOSTS
    // file as it was, when an entry is refused or the file cannot be read or written.
    void applySettings();
    // Runs the editing dialog; Changed tells afterwards whether OK changed the list.
    void Show();
    void about();

    bool restart() const { return false; }
    bool Changed() const { return changed_; }

    const HostList& entries() const { return entries_; }

  private:
    HostServices host_;
    HostList entries_;
    std::string loadedFrom_;  // the configuration file of the list, "" for the machine's
    bool changed_ = false;
};

}  // namespace hostsaddin
