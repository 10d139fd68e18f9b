#pragma once
// A file that is written completely beside its target first and put in the target's
// place only when it is done, so that a save failing part-way (a raising backend or
// add-in, a full disk) leaves the previous file exactly as it was.

#include <string>

class StagedFile {
  public:
    // Creates the staging file beside TARGET and writes INITIALCONTENTS into it. Raises
    // "Path/File access error" (number 75) when TARGET names no file (blank, or ending in
    // a folder separator) or the staging file cannot be created; TARGET is untouched.
    StagedFile(std::string target, const std::string& initialContents);
    // Removes the staging file unless it has been committed.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Where the contents are to be written until commit().
    const std::string& path() const;
    // Replaces the target by the staging file. Raises "Path/File access error" when that
    // is not possible, leaving the target as it was.
    void commit();

  private:
    std::string target_;
    std::string staging_;
    bool committed_ = false;
};
