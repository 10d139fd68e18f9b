#include "platform/emulated/EventLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <fstream>

#include "platform/AsciiText.h"

namespace platform::emulated {
namespace {

std::string timestampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace

bool EventLog::record(const std::string& what) {
    const std::string line = timestampNow() + " " + joinLines(what) + "\n";
    const int descriptor = ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    // One write per line: with O_APPEND the kernel never interleaves it with another.
    ssize_t written;
    do {
        written = ::write(descriptor, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    const bool closed = ::close(descriptor) == 0;
    return closed && written == static_cast<ssize_t>(line.size());
}

std::vector<std::string> EventLog::requests() const {
    std::vector<std::string> requests;
    std::ifstream log(file_, std::ios::binary);
    std::string line;
    while (std::getline(log, line)) {
        const auto blank = line.find(' ');
        requests.push_back(blank == std::string::npos ? line : line.substr(blank + 1));
    }
    return requests;
}

}  // namespace platform::emulated
