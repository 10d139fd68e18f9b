#pragma once
// What RmwConverter's command line asks for: the normal window, the window rendered to
// a picture (--screenshot DIR), or the window shown and closed at once
// (--exit-when-shown, for measuring start-up).

#include <optional>
#include <string>
#include <vector>

namespace converter {

struct ProgramOptions {
    // Folder the window pictures go to; empty for a normal run.
    std::string screenshotFolder;
    bool exitWhenShown = false;
};

// The options ARGS (without the program name) give; a message naming the bad argument
// when they make no sense.
struct ParsedOptions {
    std::optional<ProgramOptions> options;
    std::string error;
};
ParsedOptions parseProgramOptions(const std::vector<std::string>& args);

}  // namespace converter
