#pragma once
// Extracts the ZIP archive of a rebuilt package into the working folder: the members
// in file order from the archive's offset up to the central directory, stored (method
// 0) or deflated (method 8), each checked against its header's size and CRC-32 while it
// is written, so that a damaged or hostile member never writes more than its header
// announced. Member names must stay inside the working folder.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "setup/WorkingFolder.h"

namespace setup {

enum class OverwriteMode { Ask, OverwriteAll, SkipAll };

struct OverwriteAnswer {
    bool overwrite = false;
    bool dontAskAgain = false;
};

struct ExtractionEvents {
    // A member is about to be written to PATH.
    std::function<void(const std::string& path)> extracting;
    // The member NAME exists already: overwrite it?
    std::function<OverwriteAnswer(const std::string& name)> askOverwrite;
};

class ArchiveExtractor {
  public:
    ArchiveExtractor(const WorkingFolder& folder, ExtractionEvents events);

    // Extracts the archive that starts at OFFSET of the file PACKAGE (a Windows path).
    // Returns false, after its message, when extraction was abandoned.
    bool extract(const std::string& package, std::uint64_t offset);

    void events(ExtractionEvents events) { events_ = std::move(events); }
    OverwriteMode mode() const { return mode_; }
    void mode(OverwriteMode mode) { mode_ = mode; }
    // Every file written, for removal at the end.
    const std::vector<std::string>& extractedFiles() const { return extracted_; }

  private:
    const WorkingFolder& folder_;
    ExtractionEvents events_;
    OverwriteMode mode_ = OverwriteMode::Ask;
    std::vector<std::string> extracted_;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;
};

}  // namespace setup
