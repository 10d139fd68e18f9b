#pragma once
// rmwctl's temporary files and machine copies in this computer's temporary folder. Each
// is named "rmwctl-<process id>-…" and removed when its object goes, or by a signal that
// ends rmwctl (interrupt, termination, hang-up); what a killed rmwctl left behind is
// removed by the next rmwctl that makes one, once its process is gone.

#include <filesystem>
#include <string>

namespace rmwctl {

// A name in the temporary folder that belongs to this process ("rmwctl-<process id>-"
// followed by SUFFIX), for a file that is never written. Throws Failure when there is no
// temporary folder.
std::filesystem::path temporaryName(const std::string& suffix);

class TemporaryPath {
  public:
    enum class Kind { File, Folder };
    // Creates an empty file or folder; throws Failure when it cannot.
    explicit TemporaryPath(Kind kind);
    ~TemporaryPath();
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    int slot_ = -1;
};

}  // namespace rmwctl
