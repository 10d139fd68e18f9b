#pragma once
// The folder "$Packwit.Tmp" the package is rebuilt and extracted in: below the system's
// temporary folder, or below the system folder when the temporary folder is unknown,
// is the current folder, or holds a blank. An existing "$Packwit.Tmp" is used only when
// it is a folder of the current user and no link, so nobody else can steer what setup
// writes or runs.

#include <string>

namespace setup {

class WorkingFolder {
  public:
    // CURRENTFOLDER is the folder that was current when setup started.
    explicit WorkingFolder(const std::string& currentFolder);

    const std::string& path() const { return path_; }
    // PATH, "\" and NAME.
    std::string pathOf(const std::string& name) const { return path_ + "\\" + name; }
    // Makes the folder; false when it cannot be made or an existing one must not be used.
    bool create();
    // Removes the folder when it is empty, as RemoveDirectoryA does.
    void remove() const;

  private:
    std::string path_;
    bool created_ = false;
};

}  // namespace setup
