#include "converter/qt/ProgramOptions.h"

namespace converter {

ParsedOptions parseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--screenshot") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return {std::nullopt, "--screenshot needs the folder to write the pictures to"};
            }
            options.screenshotFolder = args[++i];
        } else if (arg == "--exit-when-shown") {
            options.exitWhenShown = true;
        } else {
            return {std::nullopt, "unknown argument: " + arg};
        }
    }
    return {options, ""};
}

}  // namespace converter
