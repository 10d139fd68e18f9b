#pragma once
// The machine's event log (events.log in the machine folder): one text line per thing
// the machine was asked to do that would have touched the real computer, such as a
// restart, a suspend, a change broadcast or a program start. Each line is an ISO 8601
// UTC timestamp, a blank and the request, e.g.
//   2026-12-08T10:15:02Z ExitWindowsEx EWX_REBOOT reserved=0

#include <filesystem>
#include <string>
#include <vector>

namespace platform::emulated {

class EventLog {
  public:
    explicit EventLog(std::filesystem::path file) : file_(std::move(file)) {}

    // Appends one line (line breaks in WHAT become blanks). Several processes may record
    // at once: each line is added whole. False when the log cannot be written.
    bool record(const std::string& what);
    // The recorded requests without their timestamps, oldest first.
    std::vector<std::string> requests() const;
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
};

}  // namespace platform::emulated
