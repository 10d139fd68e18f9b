#pragma once
// A configuration file being saved: its new content is built in a write session of the
// profile functions under the file's own name, so the backends and the add-ins write the
// real file name, and it replaces the file in one step only when it is done. A save
// failing part-way (a raising backend or add-in, a full disk) or a killed program leaves
// the previous file exactly as it was; a second save of the same file waits for this one.

#include <string>

#include "platform/ProfileWriteSession.h"

class StagedFile {
  public:
    // Starts the session on TARGET with INITIALCONTENTS. Raises "Path/File access error"
    // (number 75) when TARGET names no file (blank, or ending in a folder separator) or
    // cannot be written; TARGET is untouched.
    StagedFile(std::string target, const std::string& initialContents);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // The name under which the content is written until commit(): the target's own.
    const std::string& path() const;
    // Replaces the target by the new content. Raises "Path/File access error" when that
    // is not possible, leaving the target as it was.
    void commit();
    // The content built so far; nothing is written.
    std::string contents() const;

  private:
    std::string target_;
    platform::ProfileWriteSession session_;
};
