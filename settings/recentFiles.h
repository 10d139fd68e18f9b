#pragma once
// The most recently opened or saved configuration files, most recent first, kept in the
// settings store under "Recent" ("MaxFile" and "1File", "2File", ...). The main program
// loads the list at start, moves a file to the top when it is opened or saved under a
// new name, and writes the list back when it closes; the tray utility only reads it.

#include <cstdint>
#include <string>
#include <vector>

class recentFiles {
  public:
    // The most entries the list ever keeps, whatever "MaxFile" says.
    static constexpr std::int16_t kLargestMaximum = 5;

    // Loads the maximum ("MaxFile", "3" when missing) and the stored entries up to the
    // first empty one.
    void getRecentList();
    // Stores entry i under "<i>File"; keys beyond the list are left as they are.
    void setRecentList() const;
    // Puts SFILE at the top, removing its earlier place, and drops the last entry when
    // the list has grown past the maximum.
    void setRecentFile(const std::string& sFile);
    // The file-name part of a path: the text after its last "\" or "/".
    static std::string getFileName(const std::string& sFile);

    // The entries, most recent first (entry 1 of the menu is element 0).
    const std::vector<std::string>& fileList() const;
    std::int16_t maximum() const;

  private:
    static std::int16_t readMaximum();

    std::vector<std::string> files_;
    std::int16_t maximum_ = 3;
};
