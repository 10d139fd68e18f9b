#pragma once
// The part of a HOSTS file the add-in owns: the lines from its begin marker to its end
// marker. Rewriting replaces only those lines and keeps every other byte of the file as
// it was: its line ends (CR LF or LF, even mixed), a last line without a line end, and
// whatever follows the block. New lines take the line end the file already uses.

#include <string>
#include <string_view>

#include "HostEntry.h"

namespace hostsaddin {

inline constexpr std::string_view kBeginMarker = "# Roamwise hosts add-in: begin";
inline constexpr std::string_view kEndMarker = "# Roamwise hosts add-in: end";

// CONTENT with the managed block holding ENTRIES: replaced where the block is, appended
// at the end when there is none, and removed (marker lines too) when ENTRIES is empty.
// A file whose markers do not form one block (a begin without an end, two begins, an
// end before its begin) is not guessed at: throws AddInError (kDamagedHostsFile) saying
// which lines are wrong; the caller adds the file's name.
std::string rewriteHostsBlock(std::string_view content, const HostList& entries);

// The valid entries of CONTENT's managed block; empty when there is no intact block.
HostList readHostsBlock(std::string_view content);

}  // namespace hostsaddin
