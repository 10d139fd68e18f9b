#pragma once
// One run of the setup package after its start: the header read, the package rebuilt
// in the working folder. It extracts the archive, runs the INF step and removes what
// it extracted; the main dialog drives it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "setup/ArchiveExtractor.h"
#include "setup/PackageFormat.h"
#include "setup/WorkingFolder.h"

namespace setup {

class SetupSession {
  public:
    // PACKAGE is the rebuilt package; STARTFOLDER the folder current when setup started.
    SetupSession(PackageHeader header, const WorkingFolder& folder, std::string package,
                 std::string startFolder);

    const PackageHeader& header() const { return header_; }
    const WorkingFolder& folder() const { return folder_; }

    // Extracts the archive; false (after its message) when abandoned.
    bool extract(ExtractionEvents events);
    // Hands the INF script to the system's INF installer and waits for it; false (after
    // "Couldn't initialize installation.") when it cannot be started or its exit code
    // cannot be read.
    bool runInf();
    // The command that runInf starts.
    std::string infCommand() const;
    // Deletes every extracted file, telling DELETING each path first.
    void deleteExtracted(const std::function<void(const std::string&)>& deleting);

    OverwriteMode overwriteMode() const { return extractor_.mode(); }
    void overwriteMode(OverwriteMode mode) { extractor_.mode(mode); }
    const std::vector<std::string>& extractedFiles() const { return extractor_.extractedFiles(); }
    bool extractedFilesDeleted() const { return deleted_; }
    std::optional<unsigned long> infExitCode() const { return infExitCode_; }

  private:
    std::string infPath() const;

    PackageHeader header_;
    const WorkingFolder& folder_;
    std::string package_;
    std::string startFolder_;
    ArchiveExtractor extractor_;
    bool deleted_ = false;
    std::optional<unsigned long> infExitCode_;
};

}  // namespace setup
