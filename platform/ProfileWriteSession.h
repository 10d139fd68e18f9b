#pragma once
// A write session of the profile-string service held for the object's lifetime: the
// file's new content is built through the ordinary profile functions under the file's
// own name and replaces the file in one step at commit; a session that ends without
// commit (an error part-way, an exception) leaves the file as it was.

#include <string>

namespace platform {

class ProfileWriteSession {
  public:
    // Starts the session with INITIALCONTENTS (waiting while another session holds the
    // file); started() tells whether it could.
    ProfileWriteSession(std::string fileName, const std::string& initialContents);
    ~ProfileWriteSession();
    ProfileWriteSession(const ProfileWriteSession&) = delete;
    ProfileWriteSession& operator=(const ProfileWriteSession&) = delete;

    bool started() const { return started_; }
    // Puts the new content in the file's place; false when that is not possible (the
    // file is then as it was).
    bool commit();
    // The content built so far (what commit would write); the session goes on.
    std::string contents() const;

  private:
    std::string fileName_;
    bool started_ = false;
    bool ended_ = false;
};

}  // namespace platform
