#pragma once
// Replacing a file's whole content so that readers, and the file after a crash of the
// writing process, see either the old or the new content and never a mix.

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::emulated {

// Writes BYTES to a new file beside TARGET and renames it over TARGET, keeping an
// existing file's permission bits. The new file has no name while it is written where
// the file system allows, so a writer that dies leaves no partial file anywhere. Returns false,
// leaving TARGET as it was, when the folder cannot be written. TARGETMODE gives TARGET's permission
// bits when the caller has just looked them up.
bool replaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         std::optional<mode_t> targetMode = std::nullopt);

// The new file as written, for a caller that keeps it open.
struct KeptFile {
    int descriptor = -1;    // the caller closes it
    struct stat status {};  // taken once written, before the file had a name
};

// The same for the file NAME in the open folder FOLDER, for a caller that holds the
// folder open (and locked) already: no path is looked up again. When KEPT is given and
// the file system makes unnamed files, it receives the new file; otherwise its
// descriptor is -1.
// For writes that follow each other quickly (one key at a time), the new file trades
// names with the old one, which is then removed: readers and a writer that dies still
// see old or new content, but ext4 does not write the new content out at once, as it
// does on a rename over an existing file (most of such a write's time). The caller
// starts that write-out once it is done with the file (startWritingOut).
bool replaceFileContentsIn(int folder, const std::string& name, std::string_view bytes,
                           std::optional<mode_t> targetMode, KeptFile* kept = nullptr);

// Asks the file system to start writing DESCRIPTOR's content to the disk, without
// waiting for it: what a rename over an existing file does on ext4.
void startWritingOut(int descriptor);

}  // namespace platform::emulated
